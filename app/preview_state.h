// What the preview pane shares with the rest of the program: the main
// frame's three preview flags, the document the viewers read their file
// name from, and the place text shown in the pane's caption.
#pragma once

#include "framework.h"

class CEx_StyleDoc;

// The right column's second caption line: the previewed file's place in
// the folder tree, empty when a preview failed.
extern CString PreviewInfoText;

// The main frame's flags. A window without the program's main frame (a
// test holding the pane alone) gets a set of its own, 0, 0 and 1 at start.
int& PreviewLoadedFlag();
int& PreviewSupportedFlag();
int& NoFileSelectedFlag();

// The main frame's active document, else fallback's; null when neither is
// the program's document.
CEx_StyleDoc* PreviewDocument(CDocument* fallback);
