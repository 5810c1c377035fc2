#include "bench/BenchSetup.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "backup/BackupDiscovery.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

namespace zbe::bench {

std::string SamplePath(const BenchOptions& options, const std::string& name) {
  std::string folder = JoinPath(options.samples, name);
  return IsRegularFile(JoinPath(folder, "Info.plist")) ? folder : std::string();
}

std::string NewWorkFolder(const BenchOptions& options, const std::string& name) {
  std::string pattern = JoinPath(options.work, name + "-XXXXXX");
  if (mkdtemp(pattern.data()) == nullptr) {
    return {};
  }
  UniqueFd fd(open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) {
    syncfs(fd.get());
  }
  return pattern;
}

SampleScan::SampleScan(const std::string& folder, const std::string& workFolder,
                       const CategorySet& chosen) {
  // An empty work folder would make the parser clean up in the current folder.
  if (workFolder.empty() || !ReadSummaryOfFolder(folder, summary_).ok()) {
    return;
  }
  // The parser takes its work folder with a trailing "/", as zbe hands it over.
  parser_ =
      std::make_unique<CBackupParser>(workFolder.back() == '/' ? workFolder : workFolder + "/");
  session_ = std::make_unique<ScanSession>(*parser_);
  session_->Run(summary_, std::string(), chosen);
  opened_ = session_->results().openResult;
}

namespace {

uint64_t Sizes(const MessageRecord& m) {
  return m.date.size() + m.sender.size() + m.contactName.size() + m.text.size();
}
uint64_t Sizes(const WhatsAppMessage& m) {
  return m.date.size() + m.senderName.size() + m.text.size() + m.pushName.size() +
         m.memberNames.size() + m.memberJids.size() + m.chatName.size();
}
uint64_t Sizes(const ContactRecord& c) {
  return c.email.size() + c.address.size() + c.social.size() + c.url.size() + c.phone.size() +
         c.company.size() + c.name.size();
}
uint64_t Sizes(const CallRecord& c) {
  return c.date.size() + c.address.size() + c.contactName.size();
}
uint64_t Sizes(const NoteRecord& n) {
  return n.date.size() + n.title.size() + n.body.size();
}
uint64_t Sizes(const MediaFileItem& i) {
  return i.name.size() + i.path.size();
}
uint64_t Sizes(const AttachmentItem& i) {
  return i.name.size() + i.path.size();
}
uint64_t Sizes(const AppMediaItem& i) {
  return i.app.size() + i.name.size() + i.path.size();
}

template <typename T>
uint64_t Sizes(const std::vector<T>& items) {
  uint64_t sum = 0;
  for (const T& item : items) {
    sum += Sizes(item);
  }
  return sum;
}

// Thread maps and app groups: the keys of the groups are texts too.
template <typename K, typename T>
uint64_t Sizes(const std::map<K, std::vector<T>>& groups) {
  uint64_t sum = 0;
  for (const auto& [key, items] : groups) {
    if constexpr (std::is_same_v<K, std::string>) {
      sum += key.size();
    }
    sum += Sizes(items);
  }
  return sum;
}

template <typename K, typename T>
uint64_t Count(const std::map<K, std::vector<T>>& groups) {
  uint64_t count = 0;
  for (const auto& entry : groups) {
    count += entry.second.size();
  }
  return count;
}

}  // namespace

uint64_t TextBytes(const ScanResults& r) {
  return Sizes(r.cameraRoll) + Sizes(r.photoStream) + Sizes(r.appMedia) + Sizes(r.appPhotos) +
         Sizes(r.appVideos) + Sizes(r.messages) + Sizes(r.conversationRows) +
         Sizes(r.messageAttachments) + Sizes(r.contacts) + Sizes(r.calls) + Sizes(r.whatsApp) +
         Sizes(r.chatRows) + Sizes(r.whatsAppAttachments) + Sizes(r.notes);
}

uint64_t RecordCount(const ScanResults& r) {
  return r.cameraRoll.size() + r.photoStream.size() + r.appMedia.size() +
         r.messageAttachments.size() + r.whatsAppAttachments.size() + Count(r.messages) +
         Count(r.whatsApp) + r.contacts.size() + r.calls.size() + r.notes.size();
}

}  // namespace zbe::bench
