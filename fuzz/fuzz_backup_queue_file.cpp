// The backup queue file: any bytes in the file loaded (and kept aside when unreadable), the queue
// saved and loaded again; and any list of paths written and read back.
#include <fstream>
#include <iterator>

#include "backup_queue.h"
#include "backup_queue_file.h"
#include "fuzz_support.h"
#include "string_array_plist.h"

namespace fs = std::filesystem;
using namespace vantrel::backup;

namespace {

fs::path folder;

std::vector<std::string> entriesOf(const BackupQueue& queue) {
  return {queue.entries().begin(), queue.entries().end()};
}

void writeRaw(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

std::string readRaw(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = fuzz::privateTempDir("backup");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::asText(data, size);

  // Whatever the file holds, loading it gives what the reader makes of the text: its strings,
  // or none at all.
  const fs::path file = folder / "backup_queue.plist";
  writeRaw(file, text);
  const std::optional<std::vector<std::string>> parsed = parseStringArrayPlist(text);
  const std::vector<std::string> loaded = loadBackupQueue(file);
  FUZZ_CHECK(loaded == parsed.value_or(std::vector<std::string>()));

  // The launch read agrees, and a file it cannot read is kept aside with every byte.
  const QueueFileRead read = readBackupQueueFile(file);
  FUZZ_CHECK(read.ok() == parsed.has_value());
  FUZZ_CHECK(read.paths == loaded);
  if (read.movedAside) {
    FUZZ_CHECK(!fs::exists(file));
    FUZZ_CHECK(readRaw(*read.movedAside) == text);
    fs::remove(*read.movedAside);
  }

  // The application keeps the loaded queue and saves it again: the next start finds it unchanged.
  BackupQueue queue;
  queue.assign(loaded);
  FUZZ_CHECK(queue.size() <= loaded.size());
  const fs::path saved = folder / "saved" / "backup_queue.plist";
  fs::create_directories(saved.parent_path());
  FUZZ_CHECK(saveBackupQueue(saved, queue));
  FUZZ_CHECK(loadBackupQueue(saved) == entriesOf(queue));

  // Any strings at all (the last byte of the input separates them) are written so that they read
  // back unchanged and in order.
  const std::vector<std::string> strings = fuzz::stringsSeparatedByLastByte(text);
  const std::optional<std::vector<std::string>> reread =
      parseStringArrayPlist(formatStringArrayPlist(strings));
  FUZZ_CHECK(reread.has_value());
  FUZZ_CHECK(*reread == strings);
  return 0;
}
