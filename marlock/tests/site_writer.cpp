// Saves sites into a site file the way Marlock does, for tests that run
// several of it at once: site_writer <file> <tag> <count> saves the sites
// "<tag>-<n>.example" (port 21), user "user-<tag>", password "pw <tag> <n>".
#include <cstdlib>
#include <string>

#include "sitestore/ini_file_store.h"
#include "sitestore/site_file.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  marlock::IniFileStore sites(argv[1]);
  const std::string tag = argv[2];
  for (int n = 0, count = std::atoi(argv[3]); n < count; ++n)
    marlock::SaveSite(sites, tag + "-" + std::to_string(n) + ".example", "21", "user-" + tag,
                      "pw " + tag + " " + std::to_string(n));
  return 0;
}
