// The TNG object and its class factory, inside the test process: the
// factory's rules, aggregation, the lock count, IDispatch from the type
// library, the site, the message window's life and Configure's box.
#include <gtest/gtest.h>

#include <string>

#include "engine.h"
#include "module.h"
#include "process.h"
#include "server.h"
#include "substitutes.h"
#include "tng.h"
#include "zarvo_host.h"

namespace {

struct ComScope {
  ComScope() { CoInitialize(nullptr); }
  ~ComScope() { CoUninitialize(); }
};

IClassFactory* Factory() {
  IClassFactory* factory = nullptr;
  EXPECT_EQ(quennel::GetClassObject(CLSID_TNG, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  return factory;
}

template <class T>
T* NewTng(REFIID riid) {
  IClassFactory* factory = Factory();
  T* p = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, riid, reinterpret_cast<void**>(&p)), S_OK);
  factory->Release();
  return p;
}

quennel::Tng* AsTng(IHostPlugin* p) { return static_cast<quennel::Tng*>(p); }

// --- class factory -----------------------------------------------------------

struct ClassObjectCase {
  const char* name;
  const CLSID* clsid;
  const IID* iid;
  bool nullOut;
  HRESULT expected;
};
void PrintTo(const ClassObjectCase& c, std::ostream* os) { *os << c.name; }

const ClassObjectCase kClassObjectCases[] = {
    {"ClassFactory", &CLSID_TNG, &IID_IClassFactory, false, S_OK},
    {"Unknown", &CLSID_TNG, &IID_IUnknown, false, S_OK},
    {"OtherInterface", &CLSID_TNG, &IID_IDispatch, false, E_NOINTERFACE},
    {"OtherClass", &IID_ITNG, &IID_IClassFactory, false, CLASS_E_CLASSNOTAVAILABLE},
    {"NullResult", &CLSID_TNG, &IID_IClassFactory, true, E_POINTER},
};

class ClassObjectTest : public ::testing::TestWithParam<ClassObjectCase> {};

TEST_P(ClassObjectTest, AnswersOnlyForTng) {
  const ClassObjectCase& c = GetParam();
  void* p = reinterpret_cast<void*>(1);
  HRESULT hr = quennel::GetClassObject(*c.clsid, *c.iid, c.nullOut ? nullptr : &p);
  EXPECT_EQ(hr, c.expected);
  if (c.nullOut) return;
  if (SUCCEEDED(hr)) {
    ASSERT_NE(p, nullptr);
    static_cast<IUnknown*>(p)->Release();
  } else {
    EXPECT_EQ(p, nullptr) << "a failure leaves no pointer behind";
  }
}

INSTANTIATE_TEST_SUITE_P(Requests, ClassObjectTest, ::testing::ValuesIn(kClassObjectCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClassFactory, LockCountFollowsObjectsAndLocks) {
  ASSERT_EQ(quennel::CanUnloadNow(), S_OK);
  IClassFactory* factory = Factory();
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK) << "references on the factory do not lock the module";
  IUnknown* a = nullptr;
  IUnknown* b = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&a)), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&b)), S_OK);
  EXPECT_EQ(quennel::ModuleLockCount(), 2);
  a->Release();
  EXPECT_EQ(quennel::CanUnloadNow(), S_FALSE);
  b->Release();
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK);
  factory->LockServer(TRUE);
  EXPECT_EQ(quennel::CanUnloadNow(), S_FALSE);
  factory->LockServer(FALSE);
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK);
  factory->Release();
}

TEST(ClassFactory, UnknownInterfaceCreatesNothing) {
  IClassFactory* factory = Factory();
  IUnknown* p = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&p)), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK) << "the object made for the request is gone again";
  factory->Release();
}

// An outer object that aggregates a TNG object and counts what reaches it.
class Outer final : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    ++queries;
    if (riid == IID_IUnknown) {
      *ppv = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  ULONG refs = 1;
  int queries = 0;
  IUnknown* inner = nullptr;
};

TEST(Aggregation, InnerObjectDelegatesToOuter) {
  IClassFactory* factory = Factory();
  Outer outer;
  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
  ASSERT_NE(outer.inner, nullptr);
  EXPECT_EQ(outer.refs, 1u) << "creating the inner object takes no reference on the outer one";

  IInputObject* input = nullptr;
  ASSERT_EQ(outer.QueryInterface(IID_IInputObject, reinterpret_cast<void**>(&input)), S_OK);
  EXPECT_EQ(outer.refs, 2u) << "references on the inner interfaces count on the outer object";
  IUnknown* identity = nullptr;
  int before = outer.queries;
  ASSERT_EQ(input->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, static_cast<IUnknown*>(&outer)) << "the identity is the outer object's";
  EXPECT_EQ(outer.queries, before + 1);
  identity->Release();
  input->Release();
  EXPECT_EQ(outer.refs, 1u);
  EXPECT_EQ(quennel::CanUnloadNow(), S_FALSE);
  outer.inner->Release();
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK);
  factory->Release();
}

TEST(Aggregation, OnlyIUnknownMayBeAskedFor) {
  IClassFactory* factory = Factory();
  Outer outer;
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(&outer, IID_IInputObject, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK);
  factory->Release();
}

// --- IDispatch -----------------------------------------------------------------

TEST(Dispatch, WorksFromTheTypeLibraryWithNoMembers) {
  ComScope com;
  IDispatch* dispatch = NewTng<IDispatch>(IID_IDispatch);
  ASSERT_NE(dispatch, nullptr);
  UINT count = 0;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);

  ITypeInfo* info = nullptr;
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0x0409, &info), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, IID_ITNG));
  info->ReleaseTypeAttr(attr);
  info->Release();
  ITypeInfo* none = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(dispatch->GetTypeInfo(1, 0x0409, &none), DISP_E_BADINDEX);

  OLECHAR name[] = L"Find";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x0409, &id), DISP_E_UNKNOWNNAME);
  DISPPARAMS params = {};
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(dispatch->Invoke(1, IID_NULL, 0x0409, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  dispatch->Release();
}

// --- the site ------------------------------------------------------------------

TEST(Site, GetSiteHandsOutNothing) {
  IObjectWithSite* withSite = NewTng<IObjectWithSite>(IID_IObjectWithSite);
  substitutes::World world;
  withSite->SetSite(world.Build(substitutes::Links({L"Home"})));
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(withSite->GetSite(IID_IUnknown, &p), S_FALSE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(withSite->GetSite(IID_IUnknown, nullptr), E_POINTER);
  withSite->SetSite(nullptr);
  withSite->Release();
  EXPECT_TRUE(world.Unreleased().empty()) << "the site is held without a reference";
}

TEST(Site, SetSiteEmptiesTheSearchTextEitherWay) {
  IObjectWithSite* withSite = NewTng<IObjectWithSite>(IID_IObjectWithSite);
  substitutes::World world;
  IUnknown* browser = world.Build(substitutes::Links({L"Home"}));
  for (IUnknown* site : {browser, static_cast<IUnknown*>(nullptr), browser}) {
    quennel::SearchText() = "abc";
    EXPECT_EQ(withSite->SetSite(site), S_OK);
    EXPECT_EQ(quennel::SearchText(), "") << (site ? "a browser" : "null");
  }
  withSite->SetSite(nullptr);
  withSite->Release();
}

TEST(InputObject, ActivationAndFocusAreNotImplemented) {
  IInputObject* input = NewTng<IInputObject>(IID_IInputObject);
  EXPECT_EQ(input->UIActivateIO(TRUE, nullptr), E_NOTIMPL);
  EXPECT_EQ(input->HasFocusIO(), E_NOTIMPL);
  input->Release();
}

TEST(InputObject, OnlyKeyDownIsLookedAt) {
  IInputObject* input = NewTng<IInputObject>(IID_IInputObject);
  quennel::SearchText() = "ab";
  zarvo_host::SetKeyboardFor('A', zarvo_host::kCtrl | zarvo_host::kShift);
  for (UINT message : {WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP}) {
    MSG msg = zarvo_host::KeyDownMessage(nullptr, 'A');
    msg.message = message;
    EXPECT_EQ(input->TranslateAcceleratorIO(&msg), S_FALSE) << "message 0x" << std::hex << message;
  }
  EXPECT_EQ(input->TranslateAcceleratorIO(nullptr), S_FALSE);
  zarvo_host::ReleaseAllKeys();
  EXPECT_EQ(quennel::SearchText(), "ab");
  input->Release();
  quennel::SearchText().clear();
}

// --- IHostPlugin: the message window and Configure ---------------------------------

TEST(Plugin, StartMakesOneHiddenOnePixelPopupAndStopDestroysIt) {
  IHostPlugin* plugin = NewTng<IHostPlugin>(__uuidof(IHostPlugin));
  EXPECT_EQ(AsTng(plugin)->State().window, nullptr);
  EXPECT_EQ(plugin->Start(0), 1);
  HWND window = AsTng(plugin)->State().window;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(zarvo_host::MessageWindowsOfThread(), std::vector<HWND>{window});
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~static_cast<DWORD>(WS_CLIPSIBLINGS),
            static_cast<DWORD>(WS_POPUP));
  RECT r = {};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 1);
  EXPECT_EQ(r.bottom, 1);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowTextLengthA(window), 0);
  EXPECT_EQ(GetClassLongA(window, GCL_STYLE),
            static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));

  EXPECT_EQ(plugin->Start(0), 1) << "a second Start keeps the one window";
  EXPECT_EQ(zarvo_host::MessageWindowsOfThread().size(), 1u);
  EXPECT_EQ(plugin->Stop(), 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(AsTng(plugin)->State().window, nullptr);
  EXPECT_EQ(plugin->Stop(), 1) << "Stop without a window does nothing";
  plugin->Release();
}

TEST(Plugin, LastReleaseWithoutStopDestroysTheWindowFirst) {
  substitutes::World world;
  zarvo_host::BrowserWindow host;
  IUnknown* object = nullptr;
  ASSERT_EQ(quennel::Tng::Create(nullptr, &object), S_OK);
  ASSERT_EQ(host.Adopt(object), S_OK);
  host.SetSite(world.Build(substitutes::Links({L"Home"})));
  host.Start();
  ASSERT_EQ(zarvo_host::MessageWindowsOfThread().size(), 1u);
  HWND window = zarvo_host::MessageWindowsOfThread()[0];
  EXPECT_EQ(host.Key('H'), S_OK) << "arms the idle timer";
  // Zarvo forgets Stop: only SetSite(null) and the releases.
  host.SetSite(nullptr);
  IHostPlugin* plugin = host.Plugin();
  plugin->AddRef();
  host.ReleaseWithoutStop();  // ours is the last reference now
  EXPECT_TRUE(IsWindow(window));
  plugin->Release();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(quennel::CanUnloadNow(), S_OK);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) << "no timer is left";
}

TEST(Plugin, WindowDestroyedByOthersIsForgotten) {
  IHostPlugin* plugin = NewTng<IHostPlugin>(__uuidof(IHostPlugin));
  plugin->Start(0);
  HWND window = AsTng(plugin)->State().window;
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
  EXPECT_EQ(AsTng(plugin)->State().window, nullptr);
  EXPECT_EQ(plugin->Stop(), 1);
  plugin->Release();
}

struct ShownBox {
  int count = 0;
  std::string text, title;
  unsigned style = ~0u;
};
ShownBox g_box;

TEST(Plugin, ConfigureShowsItsBoxAndChangesNothing) {
  g_box = ShownBox();
  zarvo::SetMessageHook([](const std::string& text, const std::string& title, unsigned style) {
    ++g_box.count;
    g_box.text = text;
    g_box.title = title;
    g_box.style = style;
    return IDOK;
  });
  IHostPlugin* plugin = NewTng<IHostPlugin>(__uuidof(IHostPlugin));
  quennel::SearchText() = "lo";
  plugin->Start(0);
  HWND window = AsTng(plugin)->State().window;
  EXPECT_EQ(plugin->Configure(0), 1);
  zarvo::SetMessageHook(nullptr);
  EXPECT_EQ(g_box.count, 1);
  EXPECT_EQ(g_box.text, "No config currently");
  EXPECT_EQ(g_box.title, "Thanks");
  EXPECT_EQ(g_box.style, static_cast<unsigned>(MB_OK));
  EXPECT_EQ(quennel::SearchText(), "lo");
  EXPECT_EQ(AsTng(plugin)->State().enabled, 1);
  EXPECT_EQ(AsTng(plugin)->State().window, window);
  plugin->Stop();
  plugin->Release();
  quennel::SearchText().clear();
}

}  // namespace
