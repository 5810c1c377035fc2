#include "records/AttributedBodyText.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Utf8.h"

namespace zbe {
namespace {

// Tags of the typed stream. Any other byte where an integer is expected is the integer itself
// (a signed byte); bytes from kReferenceBase on refer to an earlier shared string or object.
constexpr uint8_t kTagInt16 = 0x81;
constexpr uint8_t kTagInt32 = 0x82;
constexpr uint8_t kTagFloat = 0x83;
constexpr uint8_t kTagNew = 0x84;
constexpr uint8_t kTagNil = 0x85;
constexpr uint8_t kTagEnd = 0x86;
constexpr uint8_t kReferenceBase = 0x92;

constexpr uint8_t kStreamerVersion = 4;
constexpr std::string_view kSignature = "streamtyped";

// A bounded cursor over the blob. Every read checks the bytes left first; a failed read leaves
// the reader failed for good, so that callers may check once at the end of a step.
class StreamReader {
 public:
  explicit StreamReader(std::string_view bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }

  uint8_t Byte() {
    if (!ok_ || at_ >= bytes_.size()) {
      return Fail();
    }
    return static_cast<uint8_t>(bytes_[at_++]);
  }

  std::string_view Bytes(int64_t count) {
    if (!ok_ || count < 0 || static_cast<uint64_t>(count) > bytes_.size() - at_) {
      Fail();
      return {};
    }
    std::string_view part = bytes_.substr(at_, static_cast<size_t>(count));
    at_ += static_cast<size_t>(count);
    return part;
  }

  // An integer whose first byte, "tag", was read already.
  int64_t IntegerAfter(uint8_t tag) {
    if (tag == kTagInt16) {
      return static_cast<int16_t>(Little(2));
    }
    if (tag == kTagInt32) {
      return static_cast<int32_t>(Little(4));
    }
    if (tag == kTagFloat || tag == kTagNew || tag == kTagNil || tag == kTagEnd) {
      return Fail();
    }
    return static_cast<int8_t>(tag);
  }

  int64_t Integer() { return IntegerAfter(Byte()); }

  uint8_t Fail() {
    ok_ = false;
    return 0;
  }

 private:
  uint32_t Little(size_t count) {
    std::string_view part = Bytes(static_cast<int64_t>(count));
    uint32_t value = 0;
    for (size_t i = part.size(); i > 0; --i) {
      value = value << 8 | static_cast<uint8_t>(part[i - 1]);
    }
    return value;
  }

  std::string_view bytes_;
  size_t at_ = 0;
  bool ok_ = true;
};

// The archive's two tables: shared strings (type encodings and class names) and objects (the
// objects and classes met so far, in order).
class Unarchiver {
 public:
  explicit Unarchiver(std::string_view blob) : in_(blob) {}

  std::optional<std::string> AttributedStringText() {
    if (!Header() || !ObjectOfClass("NSAttributedString") || !ObjectOfClass("NSString") ||
        SharedString() != "+") {
      return std::nullopt;
    }
    std::string_view text = in_.Bytes(in_.Integer());
    if (in_.Byte() != kTagEnd || !in_.ok()) {
      return std::nullopt;
    }
    return RepairUtf8(text);
  }

 private:
  // An object or a class of the archive: classes have a name and maybe a superclass.
  struct ObjectEntry {
    std::string_view className;
    size_t superclass = SIZE_MAX;
  };

  bool Header() {
    if (in_.Byte() != kStreamerVersion || in_.Bytes(in_.Integer()) != kSignature) {
      return false;
    }
    in_.Integer();  // the archiving system's version
    return in_.ok();
  }

  // A shared string: new (then added to the table) or a reference to an earlier one.
  std::string_view SharedString() {
    uint8_t tag = in_.Byte();
    if (tag == kTagNew) {
      std::string_view text = in_.Bytes(in_.Integer());
      if (in_.ok()) {
        strings_.push_back(text);
      }
      return text;
    }
    if (tag >= kReferenceBase && static_cast<size_t>(tag - kReferenceBase) < strings_.size()) {
      return strings_[tag - kReferenceBase];
    }
    in_.Fail();
    return {};
  }

  // An object value ("@" type) that is a new object of "wanted" or of a class derived from it.
  bool ObjectOfClass(std::string_view wanted) {
    if (SharedString() != "@" || in_.Byte() != kTagNew) {
      return false;
    }
    objects_.push_back(ObjectEntry{});
    for (std::string_view name : ClassChain()) {
      if (name == wanted) {
        return in_.ok();
      }
    }
    return false;
  }

  // The names of a class and its superclasses, read up to the end of the chain or up to a class
  // met before (whose superclasses were read then). Empty when the chain is malformed.
  std::vector<std::string_view> ClassChain() {
    constexpr size_t kNone = SIZE_MAX;
    size_t first = kNone;
    size_t previous = kNone;
    auto link = [&](size_t entry) {
      (previous == kNone ? first : objects_[previous].superclass) = entry;
    };
    for (;;) {
      uint8_t tag = in_.Byte();
      if (tag == kTagNil) {
        break;
      }
      if (tag == kTagNew) {
        size_t entry = objects_.size();
        objects_.push_back(ObjectEntry{});
        std::string_view name = SharedString();
        in_.Integer();  // the class version
        if (!in_.ok() || name.empty()) {
          return {};
        }
        objects_[entry].className = name;
        link(entry);
        previous = entry;
        continue;
      }
      if (tag >= kReferenceBase && static_cast<size_t>(tag - kReferenceBase) < objects_.size() &&
          !objects_[tag - kReferenceBase].className.empty()) {
        link(static_cast<size_t>(tag - kReferenceBase));
        break;
      }
      in_.Fail();
      return {};
    }
    // A chain can only name classes of the table; a malformed one may loop, so it is walked at
    // most once per entry.
    std::vector<std::string_view> names;
    for (size_t entry = first; entry != kNone && names.size() < objects_.size();
         entry = objects_[entry].superclass) {
      names.push_back(objects_[entry].className);
    }
    return names;
  }

  StreamReader in_;
  std::vector<std::string_view> strings_;
  std::vector<ObjectEntry> objects_;
};

}  // namespace

std::optional<std::string> AttributedBodyText(std::string_view blob) {
  return Unarchiver(blob).AttributedStringText();
}

}  // namespace zbe
