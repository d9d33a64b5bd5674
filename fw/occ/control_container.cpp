#include "fw/occ/control_container.h"

#include <ocidl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "fw/occ/control_site.h"
#include "fw/report_caught.h"
#include "fw/scope_exit.h"

namespace fw::occ {

struct ControlContainer::Control {
  int id = 0;
  HWND window = nullptr;
  com::Ptr<IOleObject> object;
  com::Ptr<IOleInPlaceObject> inPlace;
  com::Ptr<IDispatch> dispatch;
  com::Ptr<detail::ControlSite> site;
};

namespace {

// An HGLOBAL stream holding a copy of `data`, positioned at its start.
com::Ptr<IStream> StreamOver(const std::vector<std::uint8_t>& data) {
  com::Ptr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return nullptr;
  ULONG written = 0;
  const ULONG size = static_cast<ULONG>(data.size());
  if (size && (FAILED(stream->Write(data.data(), size, &written)) || written != size)) return nullptr;
  LARGE_INTEGER zero{};
  if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr))) return nullptr;
  return stream;
}

// Loads the control from its stream record, or starts it new without one.
HRESULT LoadControl(IOleObject* object, const std::vector<std::uint8_t>* data) {
  auto init = com::Ptr<IOleObject>(object).As<IPersistStreamInit>(IID_IPersistStreamInit);
  if (!data) return init ? init->InitNew() : S_OK;
  com::Ptr<IStream> stream = StreamOver(*data);
  if (!stream) return E_OUTOFMEMORY;
  if (init) return init->Load(stream.get());
  auto persist = com::Ptr<IOleObject>(object).As<IPersistStream>(IID_IPersistStream);
  return persist ? persist->Load(stream.get()) : E_NOINTERFACE;
}

// The template's tab stop, group, visibility and enabled state on the
// control's window, whatever the control created it with.
void ApplyItemStyle(HWND wnd, const ControlItem& item) {
  const LONG_PTR kept = WS_TABSTOP | WS_GROUP;
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  SetWindowLongPtrW(wnd, GWL_STYLE, (style & ~kept) | (item.style & kept));
  if (!(item.style & WS_VISIBLE)) ShowWindow(wnd, SW_HIDE);
  if (item.style & WS_DISABLED) EnableWindow(wnd, FALSE);
}

}  // namespace

HRESULT DefaultClassObjectLookup(REFCLSID clsid, REFIID iid, void** out) {
  return CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, iid, out);
}

ControlContainer::ControlContainer(ClassObjectLookup lookup) : lookup_(std::move(lookup)) {}

ControlContainer::~ControlContainer() { DestroyControls(); }

bool ControlContainer::CreateControls(HWND dialog, const std::vector<ControlItem>& items,
                                      const ControlStreams& streams) {
  DestroyControls();
  try {
    // The windows the dialog created from the template, in tab order: each
    // control goes after the item that preceded it in the template.
    std::vector<HWND> kept;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) kept.push_back(c);
    HWND previous = nullptr;
    std::size_t previousKept = 0;
    for (const ControlItem& item : items) {
      HWND after = HWND_BOTTOM;
      if (previous && previousKept == item.keptBefore)
        after = previous;
      else if (item.keptBefore == 0)
        after = HWND_TOP;
      else if (item.keptBefore <= kept.size())
        after = kept[item.keptBefore - 1];
      if (!CreateOne(dialog, item, streams, after)) {
        DestroyControls();
        return false;
      }
      previous = controls_.back().window;
      previousKept = item.keptBefore;
    }
    return true;
  } catch (...) {
    ReportCaught("ControlContainer::CreateControls");
    DestroyControls();
    return false;
  }
}

bool ControlContainer::CreateOne(HWND dialog, const ControlItem& item, const ControlStreams& streams,
                                 HWND insertAfter) {
  // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" is 38 characters.
  wchar_t text[40] = {};
  if (item.classId.size() >= std::size(text)) return false;
  std::copy(item.classId.begin(), item.classId.end(), text);
  CLSID clsid{};
  if (FAILED(CLSIDFromString(text, &clsid))) return false;
  if (!lookup_) return false;
  com::Ptr<IClassFactory> factory;
  if (FAILED(lookup_(clsid, IID_IClassFactory, factory.put_void())) || !factory) return false;

  Control c;
  // Whatever happens below, a control that never makes it into the list is
  // deactivated, closed and let go of its site like any other.
  ScopeExit guard([&c] { Teardown(c); });
  c.id = static_cast<int>(item.id);
  if (FAILED(factory->CreateInstance(nullptr, IID_IOleObject, c.object.put_void())) || !c.object) return false;
  factory.reset();

  RECT rect{item.x, item.y, item.x + item.cx, item.y + item.cy};
  if (!MapDialogRect(dialog, &rect)) return false;
  com::Ptr<detail::Frame> frame = com::Make<detail::Frame>(dialog);
  if (!frame) return false;
  c.site = com::Make<detail::ControlSite>(dialog, rect, frame);
  if (!c.site) return false;
  IOleClientSite* site = c.site.get();

  DWORD misc = 0;
  if (FAILED(c.object->GetMiscStatus(DVASPECT_CONTENT, &misc))) misc = 0;
  const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (siteFirst && FAILED(c.object->SetClientSite(site))) return false;
  const auto found = item.id <= 0xFFFF ? streams.find(static_cast<std::uint16_t>(item.id)) : streams.end();
  if (FAILED(LoadControl(c.object.get(), found == streams.end() ? nullptr : &found->second))) return false;
  if (!siteFirst && FAILED(c.object->SetClientSite(site))) return false;

  // Controls that keep a fixed size may refuse the extent; that is not an error.
  SIZEL extent = detail::PixelsToHimetric({rect.right - rect.left, rect.bottom - rect.top});
  c.object->SetExtent(DVASPECT_CONTENT, &extent);

  const HRESULT activated = c.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, dialog, &rect);
  // Even a failed activation may have gone half way: teardown deactivates.
  c.inPlace = c.object.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  if (FAILED(activated)) return false;
  if (!c.inPlace || FAILED(c.inPlace->GetWindow(&c.window)) || !IsWindow(c.window)) {
    c.window = nullptr;
    return false;
  }
  c.dispatch = c.object.As<IDispatch>(IID_IDispatch);

  SetWindowLongPtrW(c.window, GWLP_ID, static_cast<LONG_PTR>(item.id));
  ApplyItemStyle(c.window, item);
  if (GetParent(c.window) == dialog)
    SetWindowPos(c.window, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  controls_.push_back(c);
  guard.Release();
  return true;
}

void ControlContainer::Teardown(Control& c) noexcept {
  if (c.inPlace) c.inPlace->InPlaceDeactivate();
  if (c.object) {
    c.object->Close(OLECLOSE_NOSAVE);
    c.object->SetClientSite(nullptr);
  }
  if (c.site) c.site->Detach();
  c.dispatch.reset();
  c.inPlace.reset();
  c.object.reset();
  c.site.reset();
  c.window = nullptr;
}

void ControlContainer::DestroyControls() noexcept {
  // Last created first; the list is emptied before any control is called so
  // that a control re-entering the container finds nothing half torn down.
  std::vector<Control> controls;
  controls.swap(controls_);
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) Teardown(*it);
}

IDispatch* ControlContainer::Dispatch(int controlId) const noexcept {
  for (const Control& c : controls_)
    if (c.id == controlId) return c.dispatch.get();
  return nullptr;
}

IDispatch* ControlContainer::DispatchOf(HWND controlWindow) const noexcept {
  if (!controlWindow) return nullptr;
  for (const Control& c : controls_)
    if (c.window == controlWindow) return c.dispatch.get();
  return nullptr;
}

std::size_t ControlContainer::Count() const noexcept { return controls_.size(); }

HWND ControlContainer::Window(int controlId) const noexcept {
  for (const Control& c : controls_)
    if (c.id == controlId) return c.window;
  return nullptr;
}

}  // namespace fw::occ
