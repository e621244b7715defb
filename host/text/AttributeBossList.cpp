// Attribute lists.
#include "host/text/AttributeBossList.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <mutex>
#include <unordered_map>

#include "host/db/IPMStream.h"
#include "host/db/MemoryStream.h"
#include "host/text/AttributeClasses.h"
#include "host/text/TextAttribute.h"

namespace {

// A value's hash for the cache below; nullopt for values the cache does not keep (objects).
std::optional<size_t> HashOf(const AttributeValue& value) {
  return std::visit(
      [](const auto& v) -> std::optional<size_t> {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, ObjectRef>) {
          return std::nullopt;
        } else if constexpr (std::is_same_v<T, double>) {
          return std::hash<uint64_t>{}(std::bit_cast<uint64_t>(v));
        } else if constexpr (std::is_same_v<T, UID> || std::is_same_v<T, ClassID>) {
          return std::hash<uint32_t>{}(v.Get());
        } else {
          return std::hash<T>{}(v);
        }
      },
      value);
}

// Exactly the same value: doubles by their bits, so that 0 and -0 stay apart.
bool Identical(const AttributeValue& a, const AttributeValue& b) {
  const double* x = std::get_if<double>(&a);
  const double* y = std::get_if<double>(&b);
  if (x || y) return x && y && std::bit_cast<uint64_t>(*x) == std::bit_cast<uint64_t>(*y);
  return a == b;
}

// A frozen attribute is never changed again, so one object can stand in every list that holds its value.
// Readers set the same few values over and over (a face, a size, a break kind), and each new object is a
// boss with its implementation: the last ones made are kept, per thread, and given out again.
InterfacePtr<ITextAttribute> FrozenAttribute(ClassID cls, const AttributeValue& value) {
  struct Slot {
    InterfacePtr<ITextAttribute> attribute;
  };
  thread_local std::array<Slot, 64> cache;
  std::optional<size_t> hash = HashOf(value);
  Slot* slot = hash ? &cache[(*hash ^ cls.Get() * 0x9E3779B97F4A7C15ull) % cache.size()] : nullptr;
  if (slot && slot->attribute && slot->attribute->GetAttributeClass() == cls &&
      Identical(slot->attribute->GetValue(), value)) {
    return slot->attribute;
  }
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls, value);
  if (!attribute) return {};
  attribute->Freeze();
  if (slot) slot->attribute = attribute;
  return attribute;
}

}  // namespace

inline std::vector<AttributeBossList::Entry>::const_iterator AttributeBossList::LowerBound(
    ClassID cls) const {
  return std::lower_bound(attributes_.begin(), attributes_.end(), cls,
                          [](const Entry& e, ClassID c) { return e.cls < c; });
}

const ITextAttribute* AttributeBossList::GetNth(int32_t n) const {
  return n >= 0 && n < CountBosses() ? attributes_[n].attribute.get() : nullptr;
}

ClassID AttributeBossList::GetClassN(int32_t n) const {
  const ITextAttribute* attribute = GetNth(n);
  return attribute ? attribute->GetAttributeClass() : kInvalidClass;
}

const ITextAttribute* AttributeBossList::GetByClass(ClassID cls) const {
  auto it = LowerBound(cls);
  return it != attributes_.end() && it->cls == cls ? it->attribute.get() : nullptr;
}

void AttributeBossList::Put(ClassID cls, InterfacePtr<ITextAttribute> frozen) {
  auto at = attributes_.begin() + (LowerBound(cls) - attributes_.cbegin());
  if (at != attributes_.end() && at->cls == cls) {
    at->attribute = std::move(frozen);
  } else {
    attributes_.insert(at, Entry{cls, std::move(frozen)});
  }
}

ErrorCode AttributeBossList::ApplyAttribute(const ITextAttribute* attribute) {
  if (!attribute) return kInvalidParameterError;
  InterfacePtr<ITextAttribute> entry =
      attribute->IsFrozen() ? InterfacePtr<ITextAttribute>::Share(const_cast<ITextAttribute*>(attribute))
                            : attribute->Clone();
  if (!entry) return kOutOfMemoryError;
  entry->Freeze();
  ClassID cls = entry->GetAttributeClass();
  Put(cls, std::move(entry));
  return kSuccess;
}

void AttributeBossList::ApplyFrozen(ClassID cls, InterfacePtr<ITextAttribute> frozen) {
  assert(frozen && frozen->IsFrozen() && frozen->GetAttributeClass() == cls &&
         "ApplyFrozen takes a frozen attribute of the class it is given");
  Put(cls, std::move(frozen));
}

ErrorCode AttributeBossList::ApplyValue(ClassID cls, const AttributeValue& value) {
  InterfacePtr<ITextAttribute> attribute = FrozenAttribute(cls, value);
  if (!attribute) return kInvalidParameterError;
  Put(cls, std::move(attribute));
  return kSuccess;
}

void AttributeBossList::ApplyAttributes(const AttributeBossList& other) {
  for (const Entry& e : other.attributes_)
    Put(e.cls, e.attribute);
}

bool AttributeBossList::ClearOverride(ClassID cls) {
  auto it = LowerBound(cls);
  if (it == attributes_.end() || it->cls != cls) return false;
  attributes_.erase(it);
  return true;
}

int32_t AttributeBossList::ClearOverrides(std::span<const ClassID> classes) {
  int32_t removed = 0;
  for (ClassID cls : classes)
    removed += ClearOverride(cls) ? 1 : 0;
  return removed;
}

AttributeBossList AttributeBossList::FilterByScope(bool paragraph) const {
  AttributeBossList out;
  for (const Entry& e : attributes_) {
    if (AttributeClasses::IsParagraphAttribute(e.cls) == paragraph) out.attributes_.push_back(e);
  }
  return out;
}

bool AttributeBossList::operator==(const AttributeBossList& other) const {
  if (attributes_.size() != other.attributes_.size()) return false;
  for (size_t i = 0; i < attributes_.size(); ++i) {
    const Entry& a = attributes_[i];
    const Entry& b = other.attributes_[i];
    if (a.attribute != b.attribute && (a.cls != b.cls || !a.attribute->Equals(*b.attribute))) return false;
  }
  return true;
}

namespace {

// One attribute read from its class and bytes: through its class when a loaded plug-in (or the host)
// describes it, else kept opaque.
InterfacePtr<ITextAttribute> ReadAttribute(ClassID cls, std::vector<uint8_t> bytes, bool& damaged) {
  if (!AttributeClasses::Find(cls)) return TextAttribute::CreateOpaque(cls, std::move(bytes));
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls);
  if (!attribute) return {};
  MemoryReadStream in(bytes);
  attribute->XferValue(&in);
  damaged = !in.IsGood() || in.Remaining() != 0;
  return attribute;
}

void WriteAttribute(IPMStream* stream, ITextAttribute& attribute) {
  MemoryWriteStream bytes;
  attribute.XferValue(&bytes);
  ClassID cls = attribute.GetAttributeClass();
  stream->XferID(cls);
  uint32_t size = static_cast<uint32_t>(bytes.Bytes().size());
  stream->XferUInt32(size);
  stream->XferBytes(const_cast<uint8_t*>(bytes.Bytes().data()), size);
}

}  // namespace

void AttributeBossList::ReadWrite(IPMStream* stream) {
  constexpr size_t kSmallestEntry = 8;
  uint32_t count = stream->XferCount(static_cast<uint32_t>(attributes_.size()), kSmallestEntry);
  if (stream->IsWriting()) {
    for (Entry& e : attributes_)
      WriteAttribute(stream, *e.attribute);
    return;
  }
  attributes_.clear();
  if (count > kMaxAttributes) stream->SetState(IPMStream::State::kFailure);
  for (uint32_t i = 0; i < count && stream->IsGood(); ++i) {
    ClassID cls;
    stream->XferID(cls);
    uint32_t size = stream->XferCount(0, 1);
    std::vector<uint8_t> bytes(size);
    stream->XferBytes(bytes.data(), size);
    if (!stream->IsGood()) break;
    bool damaged = false;
    InterfacePtr<ITextAttribute> attribute = ReadAttribute(cls, std::move(bytes), damaged);
    if (!attribute || damaged) {
      stream->SetState(IPMStream::State::kFailure);
      break;
    }
    attribute->Freeze();
    Put(cls, std::move(attribute));
  }
}

std::string AttributeBossList::ToJson() const {
  std::string out = "{";
  for (size_t i = 0; i < attributes_.size(); ++i) {
    if (i > 0) out += ",";
    out += "\"" + std::to_string(attributes_[i].cls.Get()) + "\":" + attributes_[i].attribute->ValueToJson();
  }
  return out + "}";
}

namespace {

size_t HashValue(const AttributeValue& value) {
  struct Hasher {
    size_t operator()(bool v) const { return v; }
    size_t operator()(int16_t v) const { return static_cast<size_t>(v); }
    size_t operator()(int32_t v) const { return static_cast<size_t>(v); }
    size_t operator()(double v) const { return v == 0 ? 0 : std::hash<double>{}(v); }  // -0 equals 0
    size_t operator()(UID v) const { return v.Get(); }
    size_t operator()(ClassID v) const { return v.Get(); }
    size_t operator()(const WideString& v) const { return std::hash<std::u16string_view>{}(v); }
    size_t operator()(const ObjectRef&) const { return 0; }  // objects are told apart by Equals
  };
  return std::visit(Hasher{}, value) * 31 + value.index();
}

// The interned lists: weak references by hash, each dropped when the last owner of its list lets go. Never
// destroyed, since lists held by static objects may outlive every other static.
class ListPool {
 public:
  static ListPool& Get() {
    static ListPool* pool = new ListPool;
    return *pool;
  }

  // The new list is made outside the lock, since a failure to make it lets go of it, which enters Forget;
  // an equal list interned meanwhile by another thread wins.
  AttrListRef Intern(AttributeBossList list) {
    size_t hash = list.Hash();
    std::vector<AttrListRef> looked;
    if (AttrListRef found = Find(hash, list, looked)) return found;
    AttrListRef made(new AttributeBossList(std::move(list)), [hash](const AttributeBossList* gone) {
      ListPool::Get().Forget(hash, gone);
      delete gone;
    });
    std::lock_guard lock(mutex_);
    if (AttrListRef found = FindLocked(hash, *made, looked)) return found;
    lists_.emplace(hash, Entry{made.get(), made});
    return made;
  }

 private:
  struct Entry {
    const AttributeBossList* list;
    std::weak_ptr<const AttributeBossList> weak;
  };

  // Lists locked while looking go to `looked`, to be let go only after the lock is: letting go of the last
  // owner enters Forget.
  AttrListRef Find(size_t hash, const AttributeBossList& list, std::vector<AttrListRef>& looked) {
    std::lock_guard lock(mutex_);
    return FindLocked(hash, list, looked);
  }
  AttrListRef FindLocked(size_t hash, const AttributeBossList& list, std::vector<AttrListRef>& looked) {
    auto [first, last] = lists_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
      AttrListRef held = it->second.weak.lock();
      if (held && *held == list) return held;
      if (held) looked.push_back(std::move(held));
    }
    return nullptr;
  }

  void Forget(size_t hash, const AttributeBossList* list) {
    std::lock_guard lock(mutex_);
    auto [first, last] = lists_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
      if (it->second.list == list) {
        lists_.erase(it);
        return;
      }
    }
  }

  std::mutex mutex_;
  std::unordered_multimap<size_t, Entry> lists_;
};

}  // namespace

size_t AttributeBossList::Hash() const {
  size_t hash = attributes_.size();
  for (const Entry& e : attributes_)
    hash = (hash * 1000003u) ^ (e.cls.Get() * 131u + HashValue(e.attribute->GetValue()));
  return hash;
}

const AttrListRef& EmptyAttributeList() {
  static const AttrListRef empty = std::make_shared<const AttributeBossList>();
  return empty;
}

AttrListRef MakeAttrListRef(AttributeBossList list) {
  if (list.IsEmpty()) return EmptyAttributeList();
  return ListPool::Get().Intern(std::move(list));
}
