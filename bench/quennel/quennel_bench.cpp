// The cost of one keystroke's search on a page of 10,000 links (about 1 MB
// of link text), through the whole key handler and the browser's
// interfaces (substitute objects), against a bare loop that lower-cases and
// searches the same texts held in memory, measured in the same run.
//
//   quennel_bench [--check RATIO]   exits 1 when the ratio is above RATIO
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "module.h"
#include "substitutes.h"
#include "tng.h"
#include "zarvo_host.h"

namespace {

constexpr int kLinks = 10000;
constexpr int kRounds = 15;

// Link texts of about 100 characters, words in mixed case, none holding a
// "z" but the last one.
std::vector<std::wstring> MakeTexts() {
  const char* words[] = {"Download", "mirror", "Home", "page", "read", "more", "about", "the",
                         "Latest", "news", "archive", "Contact", "us", "help", "index", "files",
                         "Release", "notes", "for", "version", "Upload", "your", "photos", "Today"};
  std::mt19937 random(7);
  std::vector<std::wstring> texts;
  for (int i = 0; i < kLinks; ++i) {
    std::string t = std::to_string(i);
    while (t.size() < 95) {
      t += ' ';
      t += words[random() % (sizeof words / sizeof words[0])];
    }
    if (i == kLinks - 1) t += " Zarvo";
    texts.push_back(std::wstring(t.begin(), t.end()));
  }
  return texts;
}

double Seconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  double limit = 0;
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0) limit = std::atof(argv[2]);

  const std::vector<std::wstring> texts = MakeTexts();
  size_t bytes = 0;
  substitutes::PageSpec page;
  for (const std::wstring& t : texts) {
    page.links.push_back({t, true});
    bytes += t.size();
  }
  // The baseline's texts: the same, already in the ANSI code page.
  std::vector<std::string> ansi;
  for (const std::wstring& t : texts) ansi.push_back(std::string(t.begin(), t.end()));

  CoInitialize(nullptr);
  substitutes::World world;
  IUnknown* object = nullptr;
  quennel::Tng::Create(nullptr, &object);
  zarvo_host::BrowserWindow host;
  host.Adopt(object);
  host.SetSite(world.Build(page));
  host.Start();
  IInputObject* input = nullptr;
  host.Object()->QueryInterface(IID_IInputObject, reinterpret_cast<void**>(&input));

  std::vector<double> engine, bare;
  size_t found = 0;
  std::string buffer;
  for (int round = 0; round < kRounds; ++round) {
    // One keystroke: "z", found only in the last link.
    host.Key(VK_ESCAPE);
    zarvo_host::SetKeyboardFor('Z', 0);
    MSG msg = zarvo_host::KeyDownMessage(host.Window(), 'Z');
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    HRESULT hr = input->TranslateAcceleratorIO(&msg);
    QueryPerformanceCounter(&b);
    zarvo_host::ReleaseAllKeys();
    if (hr != S_OK || world.Selections().empty() ||
        world.Selections().back().element != "top/link " + std::to_string(kLinks - 1)) {
      std::fprintf(stderr, "the keystroke did not find the last link\n");
      return 2;
    }
    engine.push_back(Seconds(a, b));

    // The bare loop: lower-case each text and search it.
    QueryPerformanceCounter(&a);
    std::string needle = "Z";
    CharLowerBuffA(&needle[0], 1);
    found = 0;
    for (const std::string& t : ansi) {
      buffer.assign(t);
      CharLowerBuffA(&buffer[0], static_cast<DWORD>(buffer.size()));
      if (buffer.find(needle) != std::string::npos) ++found;
    }
    QueryPerformanceCounter(&b);
    bare.push_back(Seconds(a, b));
  }
  input->Release();
  host.Close();

  const double e = Median(engine), r = Median(bare), ratio = e / r;
  std::printf("page: %d links, %zu characters of link text\n", kLinks, bytes);
  std::printf("one keystroke's search:       %8.2f ms (median of %d)\n", e * 1000, kRounds);
  std::printf("bare lower-case-and-search:   %8.2f ms (median of %d, %zu found)\n", r * 1000, kRounds, found);
  std::printf("ratio: %.2f (target: at most 2.0)\n", ratio);
  CoUninitialize();
  if (limit > 0 && ratio > limit) {
    std::printf("ratio above %.2f\n", limit);
    return 1;
  }
  return 0;
}
