#include "substitutes.h"

#include <algorithm>

#include "browser_stubs.h"

namespace substitutes {

namespace {

// Lets a text range recognise the elements of its own world.
// {4C1D56B2-7E0A-4C55-9C3B-2D8E6F1A9B70}
const GUID kIID_SubstituteElement = {0x4c1d56b2, 0x7e0a, 0x4c55,
                                     {0x9c, 0x3b, 0x2d, 0x8e, 0x6f, 0x1a, 0x9b, 0x70}};

std::string Narrow(const wchar_t* s) {
  std::string out;
  if (!s) return out;
  int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return out;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(CP_ACP, 0, s, -1, &out[0], n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

}  // namespace

// Out-pointer calls: E_FAIL, or S_OK with nothing, when the world says so.
#define SUB_FAULT_OUT(pp)                                   \
  do {                                                      \
    if (!(pp)) return E_POINTER;                            \
    *(pp) = {};                                             \
    switch (world_->Draw()) {                               \
      case World::Outcome::Fail: return E_FAIL;             \
      case World::Outcome::Empty: return S_OK;              \
      default: break;                                       \
    }                                                       \
  } while (0)
#define SUB_FAULT()                                                    \
  do {                                                                 \
    if (world_->Draw() != World::Outcome::Normal) return E_FAIL;       \
  } while (0)

// IUnknown of a substitute: the listed interfaces, each query of one of
// them (but IUnknown) subject to faults.
#define SUB_IUNKNOWN()                                                       \
  STDMETHODIMP_(ULONG) AddRef() override { return AddRefImpl(); }            \
  STDMETHODIMP_(ULONG) Release() override { return ReleaseImpl(); }          \
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {            \
    if (!ppv) return E_POINTER;                                              \
    *ppv = nullptr;                                                          \
    world_->Count(Call::QueryInterface);                                     \
    void* p = Find(riid);                                                    \
    if (!p) return E_NOINTERFACE;                                            \
    if (riid != IID_IUnknown) {                                              \
      switch (world_->Draw()) {                                              \
        case World::Outcome::Fail: return E_NOINTERFACE;                     \
        case World::Outcome::Empty: return S_OK;                             \
        default: break;                                                      \
      }                                                                      \
    }                                                                        \
    AddRefImpl();                                                            \
    *ppv = p;                                                                \
    return S_OK;                                                             \
  }

// --- Object ----------------------------------------------------------------

Object::Object(World* pWorld, std::string sName, bool bTransient)
    : world_(pWorld), name_(std::move(sName)), transient_(bTransient) {
  world_->Add(this);
}

Object::~Object() { world_->Remove(this); }

ULONG Object::AddRefImpl() { return static_cast<ULONG>(++refs_); }

ULONG Object::ReleaseImpl() {
  LONG n = --refs_;
  if (n == 0) {
    if (transient_ || world_->Destroying()) {
      delete this;
    } else {
      // A page object lost the world's own reference: someone released
      // once too often. Kept alive, so the report can name it.
      world_->OverReleased(name_);
    }
  }
  return static_cast<ULONG>(n < 0 ? 0 : n);
}

// --- the objects -------------------------------------------------------------

class Element;

class Browser final : public StubIWebBrowser2, public Object {
 public:
  Browser(World* w, std::string name) : Object(w, std::move(name), false) {}
  SUB_IUNKNOWN()
  void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IWebBrowser ||
        riid == IID_IWebBrowserApp || riid == IID_IWebBrowser2)
      return static_cast<IWebBrowser2*>(this);
    return nullptr;
  }

  STDMETHODIMP get_Document(IDispatch** ppDisp) override;
  STDMETHODIMP put_StatusText(BSTR text) override {
    world_->Count(Call::PutStatusText);
    SUB_FAULT();
    world_->RecordStatus(Name(), text);
    return S_OK;
  }

  IDispatch* document = nullptr;  // the page's document, or none
};

class Element final : public StubIHTMLElement,
                      public StubIHTMLAnchorElement,
                      public StubIHTMLBodyElement,
                      public Object {
 public:
  Element(World* w, std::string name, std::wstring tag, std::wstring text, bool anchor, bool body)
      : Object(w, std::move(name), false),
        tag_(std::move(tag)), text_(std::move(text)), anchor_(anchor), body_(body) {}
  SUB_IUNKNOWN()
  void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IHTMLElement)
      return static_cast<IHTMLElement*>(this);
    if (riid == IID_IHTMLAnchorElement && anchor_) return static_cast<IHTMLAnchorElement*>(this);
    if (riid == IID_IHTMLBodyElement && body_) return static_cast<IHTMLBodyElement*>(this);
    if (riid == kIID_SubstituteElement) return this;  // the Element itself
    return nullptr;
  }

  STDMETHODIMP get_tagName(BSTR* p) override {
    world_->Count(Call::GetTagName);
    SUB_FAULT_OUT(p);
    *p = SysAllocString(tag_.c_str());
    return S_OK;
  }
  STDMETHODIMP get_innerText(BSTR* p) override {
    world_->Count(Call::GetInnerText);
    SUB_FAULT_OUT(p);
    *p = SysAllocStringLen(text_.data(), static_cast<UINT>(text_.size()));
    return S_OK;
  }
  STDMETHODIMP focus() override {
    world_->Count(Call::Focus);
    SUB_FAULT();
    world_->RecordFocus(Name());
    return S_OK;
  }
  STDMETHODIMP createTextRange(IHTMLTxtRange** range) override;

  const std::wstring& Text() const { return text_; }

 private:
  std::wstring tag_;
  std::wstring text_;
  bool anchor_;
  bool body_;
};

class Collection final : public StubIHTMLElementCollection, public Object {
 public:
  Collection(World* w, std::string name) : Object(w, std::move(name), false) {}
  SUB_IUNKNOWN()
  void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IHTMLElementCollection)
      return static_cast<IHTMLElementCollection*>(this);
    return nullptr;
  }
  STDMETHODIMP get_length(LONG* p) override {
    world_->Count(Call::GetLength);
    if (!p) return E_POINTER;
    switch (world_->Draw()) {
      case World::Outcome::Fail: *p = 0; return E_FAIL;
      // A collection that claims more items than it holds, or a nonsense count.
      case World::Outcome::Empty: *p = (items.size() % 2) ? -5 : static_cast<LONG>(items.size()) + 3; return S_OK;
      default: break;
    }
    *p = static_cast<LONG>(items.size());
    return S_OK;
  }
  STDMETHODIMP item(VARIANT name, VARIANT, IDispatch** pdisp) override {
    world_->Count(Call::Item);
    SUB_FAULT_OUT(pdisp);
    if (name.vt != VT_I4 || name.lVal < 0 || static_cast<size_t>(name.lVal) >= items.size())
      return S_OK;  // as the browser: nothing of that name
    *pdisp = static_cast<IHTMLElement*>(items[static_cast<size_t>(name.lVal)]);
    (*pdisp)->AddRef();
    return S_OK;
  }

  std::vector<Element*> items;
};

class Enumerator final : public StubIEnumUnknown, public Object {
 public:
  Enumerator(World* w, const std::vector<IUnknown*>& objects)
      : Object(w, w->NextTransientName("enumerator"), true), objects_(objects) {
    for (IUnknown* u : objects_) u->AddRef();
  }
  ~Enumerator() override {
    for (IUnknown* u : objects_) u->Release();
  }
  SUB_IUNKNOWN()
  void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IEnumUnknown) return static_cast<IEnumUnknown*>(this);
    return nullptr;
  }
  STDMETHODIMP Next(ULONG celt, IUnknown** rgelt, ULONG* fetched) override {
    world_->Count(Call::Next);
    if (!rgelt || (celt > 1 && !fetched)) return E_POINTER;
    if (fetched) *fetched = 0;
    ULONG got = 0;
    for (; got < celt; ++got) {
      rgelt[got] = nullptr;
      if (pos_ >= objects_.size()) break;
      World::Outcome o = world_->Draw();
      if (o == World::Outcome::Fail) return E_FAIL;
      IUnknown* u = objects_[pos_++];
      if (o == World::Outcome::Empty) continue;  // an empty slot, counted as fetched
      u->AddRef();
      rgelt[got] = u;
    }
    if (fetched) *fetched = got;
    return got == celt ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    world_->Count(Call::Reset);
    SUB_FAULT();
    pos_ = 0;
    return S_OK;
  }

 private:
  std::vector<IUnknown*> objects_;
  size_t pos_ = 0;
};

class Range final : public StubIHTMLTxtRange, public Object {
 public:
  explicit Range(World* w) : Object(w, w->NextTransientName("range"), true) {}
  ~Range() override {
    if (element_) static_cast<IHTMLElement*>(element_)->Release();
  }
  SUB_IUNKNOWN()
  void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IHTMLTxtRange)
      return static_cast<IHTMLTxtRange*>(this);
    return nullptr;
  }
  STDMETHODIMP moveToElementText(IHTMLElement* element) override {
    world_->Count(Call::MoveToElementText);
    SUB_FAULT();
    if (!element) return E_INVALIDARG;
    void* found = nullptr;
    if (FAILED(element->QueryInterface(kIID_SubstituteElement, &found)) || !found) return E_INVALIDARG;
    Element* own = static_cast<Element*>(found);
    if (element_) static_cast<IHTMLElement*>(element_)->Release();
    element_ = own;  // keeps the reference QueryInterface gave
    start_ = 0;
    end_ = static_cast<long>(own->Text().size());
    return S_OK;
  }
  STDMETHODIMP moveStart(BSTR unit, LONG count, LONG* actual) override {
    world_->Count(Call::MoveStart);
    return Move(unit, count, actual, true);
  }
  STDMETHODIMP moveEnd(BSTR unit, LONG count, LONG* actual) override {
    world_->Count(Call::MoveEnd);
    return Move(unit, count, actual, false);
  }
  STDMETHODIMP select() override {
    world_->Count(Call::Select);
    SUB_FAULT();
    if (!element_) return S_OK;
    Selection s;
    s.element = element_->Name();
    s.start = start_;
    s.end = end_;
    s.text = element_->Text().substr(static_cast<size_t>(start_), static_cast<size_t>(end_ - start_));
    world_->RecordSelection(std::move(s));
    return S_OK;
  }

 private:
  HRESULT Move(BSTR unit, LONG count, LONG* actual, bool start) {
    if (actual) *actual = 0;
    SUB_FAULT();
    if (!unit || std::wstring(unit) != L"character") return E_INVALIDARG;
    if (!element_) return S_OK;
    const long length = static_cast<long>(element_->Text().size());
    long& edge = start ? start_ : end_;
    long target = std::max(0L, std::min(length, edge + count));
    if (actual) *actual = target - edge;
    edge = target;
    // The two ends never cross: moving one past the other takes it along.
    if (start && start_ > end_) end_ = start_;
    if (!start && end_ < start_) start_ = end_;
    return S_OK;
  }

  Element* element_ = nullptr;
  long start_ = 0;
  long end_ = 0;
};

// An embedded object that is not a browser (a plug-in, say).
class Embedding final : public IUnknown, public Object {
 public:
  Embedding(World* w, std::string name) : Object(w, std::move(name), false) {}
  SUB_IUNKNOWN()
  void* Find(REFIID riid) { return riid == IID_IUnknown ? static_cast<IUnknown*>(this) : nullptr; }
};

class World::Document final : public StubIHTMLDocument2, public StubIOleContainer, public Object {
 public:
  Document(World* w, std::string name, const PageSpec& page)
      : Object(w, std::move(name), false), html_(page.htmlDocument), container_(page.container),
        enumResult_(page.enumResult) {}
  SUB_IUNKNOWN()
  void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IDispatch) return static_cast<IHTMLDocument2*>(this);
    if ((riid == IID_IHTMLDocument || riid == IID_IHTMLDocument2) && html_)
      return static_cast<IHTMLDocument2*>(this);
    if ((riid == IID_IOleContainer || riid == IID_IParseDisplayName) && container_)
      return static_cast<IOleContainer*>(this);
    return nullptr;
  }

  STDMETHODIMP get_activeElement(IHTMLElement** p) override {
    world_->Count(Call::GetActiveElement);
    SUB_FAULT_OUT(p);
    if (active) {
      *p = active;
      active->AddRef();
    }
    return S_OK;
  }
  STDMETHODIMP get_body(IHTMLElement** p) override {
    world_->Count(Call::GetBody);
    SUB_FAULT_OUT(p);
    if (body) {
      *p = body;
      body->AddRef();
    }
    return S_OK;
  }
  STDMETHODIMP get_links(IHTMLElementCollection** p) override {
    world_->Count(Call::GetLinks);
    world_->RecordLinkSearch(Name());
    SUB_FAULT_OUT(p);
    *p = links;
    links->AddRef();
    return S_OK;
  }
  STDMETHODIMP EnumObjects(DWORD flags, IEnumUnknown** ppenum) override {
    world_->Count(Call::EnumObjects);
    if (ppenum) *ppenum = nullptr;
    if (FAILED(enumResult_)) return enumResult_;
    SUB_FAULT_OUT(ppenum);
    std::vector<IUnknown*> objects;
    if (flags & OLECONTF_EMBEDDINGS) objects = embeddings;
    *ppenum = new Enumerator(world_, objects);
    return S_OK;
  }

  IHTMLElement* active = nullptr;
  IHTMLElement* body = nullptr;
  Collection* links = nullptr;
  std::vector<IUnknown*> embeddings;
  std::vector<Element*> activeCandidates;  // elements made for SetActiveTag

 private:
  bool html_;
  bool container_;
  HRESULT enumResult_;
};

STDMETHODIMP Browser::get_Document(IDispatch** ppDisp) {
  world_->Count(Call::GetDocument);
  SUB_FAULT_OUT(ppDisp);
  if (document) {
    *ppDisp = document;
    document->AddRef();
  }
  return S_OK;
}

STDMETHODIMP Element::createTextRange(IHTMLTxtRange** range) {
  world_->Count(Call::CreateTextRange);
  SUB_FAULT_OUT(range);
  *range = new Range(world_);
  return S_OK;
}

// --- World ---------------------------------------------------------------------

PageSpec Links(std::initializer_list<const wchar_t*> texts) {
  PageSpec page;
  for (const wchar_t* t : texts) page.links.push_back({t, true});
  return page;
}

World::World() : random_(1) {}

World::~World() {
  // Everything goes, leaked or not: the report came before. Enumerators and
  // ranges first, since they hold references on page objects.
  std::vector<Object*> transients;
  for (Object* p : live_)
    if (p->Transient()) transients.push_back(p);
  for (Object* p : transients) delete p;
  destroying_ = true;
  std::vector<Object*> rest = live_;
  for (Object* p : rest) delete p;
}

void World::Add(Object* p) {
  ++objectsCreated_;
  live_.push_back(p);
  if (!p->Transient()) owned_.push_back(p);
}

void World::Remove(Object* p) {
  live_.erase(std::remove(live_.begin(), live_.end(), p), live_.end());
  owned_.erase(std::remove(owned_.begin(), owned_.end(), p), owned_.end());
}

std::string World::NextTransientName(const char* sKind) {
  return std::string(sKind) + " #" + std::to_string(++transientCounter_);
}

IUnknown* World::Build(const PageSpec& page, const std::string& sName) {
  return static_cast<IWebBrowser2*>(static_cast<Browser*>(BuildBrowser(page, sName)));
}

Object* World::BuildBrowser(const PageSpec& page, const std::string& sName) {
  auto* browser = new Browser(this, sName);
  if (!page.hasDocument) return browser;
  auto* doc = new Document(this, sName, page);
  browser->document = static_cast<IHTMLDocument2*>(doc);
  documents_.push_back({sName, doc});
  if (page.hasBody) {
    auto* body = new Element(this, sName + "/body", L"BODY", L"", false, true);
    doc->body = static_cast<IHTMLElement*>(body);
  }
  doc->links = new Collection(this, sName + "/links");
  for (size_t i = 0; i < page.links.size(); ++i) {
    doc->links->items.push_back(new Element(this, sName + "/link " + std::to_string(i), L"A",
                                            page.links[i].text, page.links[i].anchor, false));
  }
  for (int i = 0; i < page.otherEmbeddings; ++i) {
    auto* e = new Embedding(this, sName + "/embedding " + std::to_string(i));
    doc->embeddings.push_back(static_cast<IUnknown*>(e));
  }
  for (size_t i = 0; i < page.frames.size(); ++i) {
    std::string frameName = (sName == "top" ? std::string() : sName + "/") + "frame " + std::to_string(i);
    auto* frame = static_cast<Browser*>(BuildBrowser(page.frames[i], frameName));
    doc->embeddings.push_back(static_cast<IWebBrowser2*>(frame));
  }
  if (!page.activeTag.empty()) SetActiveTag(sName, page.activeTag);
  return browser;
}

void World::SetActiveTag(const std::string& sDocument, const std::wstring& sTag) {
  for (auto& entry : documents_) {
    if (entry.first != sDocument) continue;
    auto* doc = static_cast<Document*>(entry.second);
    if (sTag.empty()) {
      doc->active = nullptr;
      return;
    }
    auto* element = new Element(this, sDocument + "/" + Narrow(sTag.c_str()) + " " +
                                          std::to_string(doc->activeCandidates.size()),
                                sTag, L"", false, false);
    doc->activeCandidates.push_back(element);
    doc->active = static_cast<IHTMLElement*>(element);
    return;
  }
}

void World::SetFaults(double dProbability, uint32_t uSeed) {
  faultProbability_ = dProbability;
  random_.seed(uSeed);
}

World::Outcome World::Draw() {
  if (faultProbability_ <= 0) return Outcome::Normal;
  double r = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
  if (r < faultProbability_) {
    ++injectedFailures_;
    return Outcome::Fail;
  }
  if (r < 2 * faultProbability_) {
    ++injectedEmpties_;
    return Outcome::Empty;
  }
  return Outcome::Normal;
}

void World::RecordStatus(const std::string& sBrowser, const wchar_t* sText) {
  status_.push_back({sBrowser, sText ? std::wstring(sText) : std::wstring()});
}

std::vector<std::string> World::StatusTexts(const std::string& sBrowser) const {
  std::vector<std::string> out;
  for (const StatusEntry& e : status_)
    if (e.browser == sBrowser) out.push_back(Narrow(e.text.c_str()));
  return out;
}

void World::ClearLog() {
  status_.clear();
  selections_.clear();
  focused_.clear();
  linkSearches_.clear();
  std::fill(std::begin(calls_), std::end(calls_), 0);
}

std::vector<std::string> World::Unreleased() const {
  std::vector<std::string> out;
  for (Object* p : live_) {
    if (p->Transient())
      out.push_back(p->Name() + ": still alive with " + std::to_string(p->Refs()) + " references");
    else if (p->Refs() != 1)
      out.push_back(p->Name() + ": " + std::to_string(p->Refs()) + " references, expected 1");
  }
  for (const std::string& name : overReleased_) out.push_back(name + ": released once too often");
  return out;
}

}  // namespace substitutes
