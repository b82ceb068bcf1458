#include "platform/Page.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

// Both are the page's own functions (web/page.js).
void KeepPlayerFiles() { EM_ASM(Module.keepPlayerFiles();); }

void OfferDownload(const std::string& path) { EM_ASM(Module.offerDownload(UTF8ToString($0));, path.c_str()); }
#else
void KeepPlayerFiles() {}

void OfferDownload(const std::string&) {}
#endif
