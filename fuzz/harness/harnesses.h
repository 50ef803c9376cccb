// The fuzzing harnesses: one function per input surface of the program. Each
// takes any bytes, drives the real code with them and checks what that code
// promises (LUMORA_FUZZ_CHECK); it never crashes, hangs or reads outside a
// buffer unless the code under test does. The libFuzzer targets in fuzz/
// call them, and the replay tests run every saved finding through them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace lumora::fuzz {

using HarnessFn = void (*)(const uint8_t* data, size_t size);

struct Harness {
  const char* name;  // the target's name: fuzz-<name>, fuzz/corpus/<name>
  HarnessFn run;
};

// Every harness, in the order of the targets' list.
std::span<const Harness> AllHarnesses();
// The harness named `name`, or null.
const Harness* FindHarness(std::string_view name);

// The harnesses; each file's header comment describes its input.
void FuzzBibleModule(const uint8_t* data, size_t size);     // bible_module
void FuzzEntryModule(const uint8_t* data, size_t size);     // entry_module
void FuzzStrongsData(const uint8_t* data, size_t size);     // strongs_data
void FuzzCodecs(const uint8_t* data, size_t size);          // codecs
void FuzzReferenceParser(const uint8_t* data, size_t size); // reference_parser
void FuzzRenderers(const uint8_t* data, size_t size);       // renderers
void FuzzExport(const uint8_t* data, size_t size);          // export
void FuzzHrefPreview(const uint8_t* data, size_t size);     // href_preview
void FuzzSettingsFile(const uint8_t* data, size_t size);    // settings_file
void FuzzSearch(const uint8_t* data, size_t size);          // search

}  // namespace lumora::fuzz
