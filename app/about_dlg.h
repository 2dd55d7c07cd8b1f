// "About Mulvara": the product and version, the maker and its addresses.
#pragma once

#include "framework.h"
#include "skinned_dialog.h"
#include "link_static.h"
#include "transparent_controls.h"

class CAboutDlg : public CSkinnedDialog {
 public:
  explicit CAboutDlg(CWnd* pParent = nullptr);

  // The maker's addresses the links open.
  static const wchar_t kWebAddress[];
  static const wchar_t kSupportAddress[];
  static const wchar_t kSalesAddress[];

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

 private:
  CTransparentStatic m_spare;
  CTransparentStatic m_maker;
  CLinkStatic m_web;
  CLinkStatic m_support;
  CLinkStatic m_sales;
  CTransparentStatic m_product;
  CFont m_productFont;
};
