// The notice cards of the preview pane: the placeholder picks its card
// from the preview flags at every paint, the large-file view always shows
// its own. Both centre the card.
#pragma once

#include "framework.h"

// The placeholder's card for the flags: select a file, no viewer for the
// type, or the file could not be shown.
UINT PlaceholderCardFor(int noFileSelected, int previewSupported, int previewLoaded);

class CNoticeCardView : public CView {
  DECLARE_DYNAMIC(CNoticeCardView)

 public:
  void OnDraw(CDC* pDC) override;

 protected:
  virtual UINT CardId() const = 0;
};

class CCorrupted_NoPreview_View : public CNoticeCardView {
  DECLARE_DYNCREATE(CCorrupted_NoPreview_View)

 protected:
  UINT CardId() const override;
};

class CLargeFileView : public CNoticeCardView {
  DECLARE_DYNCREATE(CLargeFileView)

 protected:
  UINT CardId() const override;
};
