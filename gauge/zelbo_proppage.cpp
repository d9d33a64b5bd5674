#include "gauge/zelbo_proppage.h"

#include "gauge/zelbo_res.h"

CZelboPropPage::CZelboPropPage() : COlePropertyPage(IDD_PROPPAGE_ZELBO, IDS_ZELBO_PPG_CAPTION) {}

HRESULT CZelboPropPage::Create(REFIID iid, void** out) {
  auto page = fw::com::Make<CZelboPropPage>();
  if (!page) return E_OUTOFMEMORY;
  return page->QueryInterface(iid, out);
}
