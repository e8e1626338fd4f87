#include "shell/window/InputBox.h"

#include <vector>

namespace {
constexpr int IdPrompt = 100, IdAnswer = 101;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

struct InputState {
  std::string prompt, title, answer;
  HFONT font;
};

// A dialog template built in memory: the header, then DWORD-aligned items.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, WORD items) {
    Add<DWORD>(style);
    Add<DWORD>(0);
    Add<WORD>(items);
    Add<short>(0), Add<short>(0), Add<short>(cx), Add<short>(cy);
    Add<WORD>(0), Add<WORD>(0), Add<WORD>(0);  // no menu, default class, no title
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    Add<DWORD>(style | WS_CHILD | WS_VISIBLE);
    Add<DWORD>(0);
    Add<short>(x), Add<short>(y), Add<short>(cx), Add<short>(cy);
    Add<WORD>(id);
    Add<WORD>(0xFFFF), Add<WORD>(atom);
    Add<WORD>(0);  // no text: set at WM_INITDIALOG
    Add<WORD>(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  template <typename T>
  void Add(T value) {
    const auto* raw = reinterpret_cast<const unsigned char*>(&value);
    bytes_.insert(bytes_.end(), raw, raw + sizeof(T));
  }
  std::vector<unsigned char> bytes_;
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<InputState*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextA(dialog, state->title.c_str());
      for (int id : {IdPrompt, IdAnswer, IDOK, IDCANCEL})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
      SetDlgItemTextA(dialog, IdPrompt, state->prompt.c_str());
      SetDlgItemTextA(dialog, IdAnswer, state->answer.c_str());
      SetDlgItemTextA(dialog, IDOK, "OK");
      SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
      SendDlgItemMessageA(dialog, IdAnswer, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(dialog, IdAnswer));
      return FALSE;  // the focus was set here
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        HWND edit = GetDlgItem(dialog, IdAnswer);
        std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1);
        GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
        state->answer = text.data();
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        state->answer.clear();
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}
}  // namespace

std::string ShowInputBox(HWND owner, HFONT font, int, const std::string& prompt,
                         const std::string& title, const std::string& proposed) {
  DialogTemplate form(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 72, 4);
  form.Item(SS_LEFT, 7, 7, 170, 36, IdPrompt, kStaticClass);
  form.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 50, 14, IDOK, kButtonClass);
  form.Item(BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 50, 14, IDCANCEL, kButtonClass);
  form.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 50, 226, 13, IdAnswer, kEditClass);
  InputState state{prompt, title, proposed, font};
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.Get(), owner, InputProc,
                                           reinterpret_cast<LPARAM>(&state));
  return result == IDOK ? state.answer : std::string();
}
