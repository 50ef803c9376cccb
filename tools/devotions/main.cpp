// lumora-devotions LIBRARY: writes the synthetic devotional sample into a
// library folder: LIBRARY/devotion.dys and LIBRARY/Commentaries/SME.lmc,
// with verse texts from LIBRARY/Bibles/KJV.lmb.
#include <cstdio>
#include <string>

#include "core/platform/file_system.h"
#include "tools/devotions/devotion_samples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumora-devotions LIBRARY\n");
    return 2;
  }
  const std::string library = argv[1];
  auto kjv = lumora::TLMBibleModule::Create(
      lumora::JoinPath(lumora::JoinPath(library, "Bibles"), "KJV.lmb"));
  if (!kjv.ok()) {
    std::fprintf(stderr, "lumora-devotions: %s\n", kjv.status().message().c_str());
    return 1;
  }
  if (const lumora::Status s = lumora::builder::WriteSyntheticDevotionals(*kjv.value(), library);
      !s.ok()) {
    std::fprintf(stderr, "lumora-devotions: %s\n", s.message().c_str());
    return 1;
  }
  std::printf("%s/devotion.dys and %s/Commentaries/SME.lmc written\n", library.c_str(),
              library.c_str());
  return 0;
}
