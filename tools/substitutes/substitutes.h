// Substitute browser objects: a page with links, frames, text fields and
// failing calls, offered through the interfaces the browser control
// publishes (IWebBrowser2, IOleContainer, IEnumUnknown, IHTMLDocument2,
// IHTMLElement, IHTMLBodyElement, IHTMLElementCollection, IHTMLTxtRange,
// IHTMLAnchorElement). Each object counts its references; the world that
// builds them records what the find engine did to them (status texts,
// selections, focus) and can make any call fail or yield nothing.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace substitutes {

struct LinkSpec {
  std::wstring text;
  bool anchor = true;  // answers IHTMLAnchorElement (and so can take the focus)
};

struct PageSpec {
  std::vector<LinkSpec> links;
  std::vector<PageSpec> frames;  // direct frames, in enumeration order
  std::wstring activeTag;        // tag name of the element with the focus; empty: none
  bool hasDocument = true;       // false: get_Document yields nothing
  bool htmlDocument = true;      // the document answers IHTMLDocument2
  bool container = true;         // the document answers IOleContainer
  bool hasBody = true;           // get_body yields the body
  HRESULT enumResult = S_OK;     // what EnumObjects answers when not S_OK
  int otherEmbeddings = 0;       // embedded objects that are not browsers, before the frames
};

// A page of plain links.
PageSpec Links(std::initializer_list<const wchar_t*> texts);

// The calls the world counts.
enum class Call {
  GetDocument, PutStatusText, EnumObjects, Next, Reset, GetActiveElement, GetBody, GetLinks,
  GetTagName, GetInnerText, CreateTextRange, GetLength, Item, MoveToElementText, MoveStart,
  MoveEnd, Select, Focus, QueryInterface, Count_
};

struct StatusEntry {
  std::string browser;  // "top", "frame 0", ...
  std::wstring text;
};

struct Selection {
  std::string element;  // "frame 1/link 0", "top/link 3"
  long start = 0;       // character offsets in the element's text
  long end = 0;
  std::wstring text;    // the selected characters
};

class Object;

class World {
 public:
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // Builds a browser with its page; returns its IUnknown, which the world
  // owns (no reference for the caller). The first one built is "top".
  IUnknown* Build(const PageSpec& page, const std::string& sName = "top");

  // Faults: from now on each call (but AddRef, Release and QueryInterface
  // for IUnknown) fails with E_FAIL, or succeeds with nothing where it has
  // something to give, with this probability each.
  void SetFaults(double dProbability, uint32_t uSeed);

  // What the engine did.
  const std::vector<StatusEntry>& StatusLog() const { return status_; }
  std::vector<std::string> StatusTexts(const std::string& sBrowser = "top") const;  // ANSI
  const std::vector<Selection>& Selections() const { return selections_; }
  const std::vector<std::string>& Focused() const { return focused_; }
  // Documents whose link collection was asked for, in order.
  const std::vector<std::string>& LinkSearches() const { return linkSearches_; }
  int Calls(Call c) const { return calls_[static_cast<int>(c)]; }
  void ClearLog();

  // Changes which element of a document ("top", "frame 0", ...) has the
  // focus; an empty tag: none.
  void SetActiveTag(const std::string& sDocument, const std::wstring& sTag);

  // Objects whose reference count is not back where it started: a
  // transient object (enumerator, text range) still alive, or a page
  // object with references left or taken once too often.
  std::vector<std::string> Unreleased() const;
  size_t LiveObjects() const { return live_.size(); }
  // Since the world was built (ClearLog keeps them): objects created, and
  // the faults handed out, failed calls and calls that gave nothing.
  int ObjectsCreated() const { return objectsCreated_; }
  int InjectedFailures() const { return injectedFailures_; }
  int InjectedEmpties() const { return injectedEmpties_; }

  // --- for the objects ---------------------------------------------------
  enum class Outcome { Normal, Fail, Empty };
  Outcome Draw();
  void Count(Call c) { ++calls_[static_cast<int>(c)]; }
  void Add(Object* p);
  void Remove(Object* p);
  void OverReleased(const std::string& sName) { overReleased_.push_back(sName); }
  bool Destroying() const { return destroying_; }
  void RecordStatus(const std::string& sBrowser, const wchar_t* sText);
  void RecordSelection(Selection s) { selections_.push_back(std::move(s)); }
  void RecordFocus(const std::string& sElement) { focused_.push_back(sElement); }
  void RecordLinkSearch(const std::string& sDocument) { linkSearches_.push_back(sDocument); }
  std::string NextTransientName(const char* sKind);

 private:
  class Document;
  Object* BuildBrowser(const PageSpec& page, const std::string& sName);

  std::vector<Object*> owned_;  // page objects; one reference each
  std::vector<Object*> live_;   // every object alive
  std::vector<std::pair<std::string, Object*>> documents_;
  std::vector<std::string> overReleased_;
  std::vector<StatusEntry> status_;
  std::vector<Selection> selections_;
  std::vector<std::string> focused_;
  std::vector<std::string> linkSearches_;
  int calls_[static_cast<int>(Call::Count_)] = {};
  double faultProbability_ = 0;
  int objectsCreated_ = 0;
  int injectedFailures_ = 0;
  int injectedEmpties_ = 0;
  std::mt19937 random_;
  int transientCounter_ = 0;
  bool destroying_ = false;
};

// The base of every substitute object: its reference count and its name.
class Object {
 public:
  Object(World* pWorld, std::string sName, bool bTransient);
  virtual ~Object();
  ULONG AddRefImpl();
  ULONG ReleaseImpl();
  LONG Refs() const { return refs_; }
  const std::string& Name() const { return name_; }
  bool Transient() const { return transient_; }

 protected:
  World* world_;

 private:
  std::string name_;
  LONG refs_ = 1;
  bool transient_;
};

}  // namespace substitutes
