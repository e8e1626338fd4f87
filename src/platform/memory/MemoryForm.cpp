#include "platform/memory/MemoryForm.h"

std::string MemoryFormWindow::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& proposed) {
  inputRequests.push_back({prompt, title, proposed});
  if (inputAnswers.empty()) return {};
  std::string answer = inputAnswers.front();
  inputAnswers.pop_front();
  return answer;
}
