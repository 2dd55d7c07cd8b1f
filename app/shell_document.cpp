#include "shell_document.h"

#include "picture.h"

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CDocument)

CEx_StyleDoc::~CEx_StyleDoc() {
  if (Database != nullptr && Database->IsOpen()) Database->Close();
  delete Database;
  delete CurrentPicture;
}

// The document reads and writes nothing: any file opens as it.
void CEx_StyleDoc::Serialize(CArchive&) {}
