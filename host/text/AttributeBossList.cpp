// Attribute lists.
#include "host/text/AttributeBossList.h"

#include <algorithm>

#include "host/db/IPMStream.h"
#include "host/db/MemoryStream.h"
#include "host/text/AttributeClasses.h"
#include "host/text/TextAttribute.h"

std::vector<AttributeBossList::Entry>::const_iterator AttributeBossList::LowerBound(ClassID cls) const {
  return std::lower_bound(attributes_.begin(), attributes_.end(), cls,
                          [](const Entry& e, ClassID c) { return e->GetAttributeClass() < c; });
}

const ITextAttribute* AttributeBossList::GetNth(int32_t n) const {
  return n >= 0 && n < CountBosses() ? attributes_[n].get() : nullptr;
}

ClassID AttributeBossList::GetClassN(int32_t n) const {
  const ITextAttribute* attribute = GetNth(n);
  return attribute ? attribute->GetAttributeClass() : kInvalidClass;
}

const ITextAttribute* AttributeBossList::GetByClass(ClassID cls) const {
  auto it = LowerBound(cls);
  return it != attributes_.end() && (*it)->GetAttributeClass() == cls ? it->get() : nullptr;
}

void AttributeBossList::Put(Entry frozen) {
  ClassID cls = frozen->GetAttributeClass();
  auto at = attributes_.begin() + (LowerBound(cls) - attributes_.cbegin());
  if (at != attributes_.end() && (*at)->GetAttributeClass() == cls) {
    *at = std::move(frozen);
  } else {
    attributes_.insert(at, std::move(frozen));
  }
}

ErrorCode AttributeBossList::ApplyAttribute(const ITextAttribute* attribute) {
  if (!attribute) return kInvalidParameterError;
  Entry entry =
      attribute->IsFrozen() ? Entry::Share(const_cast<ITextAttribute*>(attribute)) : attribute->Clone();
  if (!entry) return kOutOfMemoryError;
  entry->Freeze();
  Put(std::move(entry));
  return kSuccess;
}

ErrorCode AttributeBossList::ApplyValue(ClassID cls, const AttributeValue& value) {
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls, value);
  if (!attribute) return kInvalidParameterError;
  attribute->Freeze();
  Put(std::move(attribute));
  return kSuccess;
}

void AttributeBossList::ApplyAttributes(const AttributeBossList& other) {
  for (const Entry& e : other.attributes_)
    Put(e);
}

bool AttributeBossList::ClearOverride(ClassID cls) {
  auto it = LowerBound(cls);
  if (it == attributes_.end() || (*it)->GetAttributeClass() != cls) return false;
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
    if (AttributeClasses::IsParagraphAttribute(e->GetAttributeClass()) == paragraph)
      out.attributes_.push_back(e);
  }
  return out;
}

bool AttributeBossList::operator==(const AttributeBossList& other) const {
  if (attributes_.size() != other.attributes_.size()) return false;
  for (size_t i = 0; i < attributes_.size(); ++i) {
    if (attributes_[i] != other.attributes_[i] && !attributes_[i]->Equals(*other.attributes_[i]))
      return false;
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
      WriteAttribute(stream, *e);
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
    Put(std::move(attribute));
  }
}

std::string AttributeBossList::ToJson() const {
  std::string out = "{";
  for (size_t i = 0; i < attributes_.size(); ++i) {
    if (i > 0) out += ",";
    out += "\"" + std::to_string(attributes_[i]->GetAttributeClass().Get()) +
           "\":" + attributes_[i]->ValueToJson();
  }
  return out + "}";
}

const AttrListRef& EmptyAttributeList() {
  static const AttrListRef empty = std::make_shared<const AttributeBossList>();
  return empty;
}

AttrListRef MakeAttrListRef(AttributeBossList list) {
  if (list.IsEmpty()) return EmptyAttributeList();
  return std::make_shared<const AttributeBossList>(std::move(list));
}
