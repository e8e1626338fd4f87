#include "catalogue/DpiAwareText.h"

const char* DpiAwareText(DpiVerdict verdict) {
  switch (verdict) {
    case DpiVerdict::Yes: return "Yes";
    case DpiVerdict::No: return "No";
    case DpiVerdict::NotApplicable: break;
  }
  return "N/A";
}
