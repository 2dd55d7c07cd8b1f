#include "preview_state.h"

#include "main_frame.h"
#include "shell_document.h"

CString PreviewInfoText;

namespace {

struct FlagsWithoutFrame {
  int loaded = 0;
  int supported = 0;
  int noFileSelected = 1;
};

FlagsWithoutFrame& SpareFlags() {
  static FlagsWithoutFrame flags;
  return flags;
}

}  // namespace

int& PreviewLoadedFlag() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->PreviewLoaded : SpareFlags().loaded;
}

int& PreviewSupportedFlag() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->PreviewSupported : SpareFlags().supported;
}

int& NoFileSelectedFlag() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->NoFileSelected : SpareFlags().noFileSelected;
}

CEx_StyleDoc* PreviewDocument(CDocument* fallback) {
  if (CMainFrame* frame = GetMainFrame())
    if (auto* document = dynamic_cast<CEx_StyleDoc*>(frame->GetActiveDocument())) return document;
  return dynamic_cast<CEx_StyleDoc*>(fallback);
}
