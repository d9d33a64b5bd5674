// The gauge's property page: an empty "General" tab.
#pragma once

#include "fw/ole/ole_proppage.h"

class CZelboPropPage final : public fw::ole::COlePropertyPage {
 public:
  CZelboPropPage();
  static HRESULT Create(REFIID iid, void** out);
};
