// Text attribute objects.
#include "host/text/TextAttribute.h"

#include "host/core/ObjectModel.h"
#include "host/db/IPMStream.h"

namespace {

// The bytes of an attribute that no loaded plug-in describes.
class OpaqueBytes final : public AttributeObject {
 public:
  explicit OpaqueBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  bool Equals(const AttributeObject& other) const override {
    const auto* o = dynamic_cast<const OpaqueBytes*>(&other);
    return o && o->bytes_ == bytes_;
  }
  std::shared_ptr<AttributeObject> Copy() const override { return std::make_shared<OpaqueBytes>(bytes_); }
  void ReadWrite(IPMStream* stream) override {
    // The owning list moves the count; these bytes are the whole value.
    stream->XferBytes(bytes_.data(), bytes_.size());
  }
  std::string ToJson() const override { return "null"; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

TextAttribute::TextAttribute(Boss* boss) : CPMUnknown(boss), class_(boss->GetClass()) {
  info_ = AttributeClasses::Find(class_);
  if (!info_) {
    value_ = ObjectRef(std::make_shared<OpaqueBytes>(std::vector<uint8_t>()));
    return;
  }
  kind_ = info_->kind;
  value_ = info_->defaultValue;
}

ErrorCode TextAttribute::SetValue(const AttributeValue& value) {
  if (frozen_) return kFailure;
  if (!info_ || !ValueFitsKind(value, kind_)) return kInvalidParameterError;
  value_ = value;
  return kSuccess;
}

bool TextAttribute::Equals(const ITextAttribute& other) const {
  return other.GetAttributeClass() == class_ && ValuesEqual(other.GetValue(), value_);
}

InterfacePtr<ITextAttribute> TextAttribute::Clone() const {
  InterfacePtr<ITextAttribute> copy = CreateObject<ITextAttribute>(GetBoss()->GetClass());
  if (!copy) return {};
  auto* impl = static_cast<TextAttribute*>(copy.get());
  impl->class_ = class_;
  impl->kind_ = kind_;
  impl->info_ = info_;
  impl->value_ = value_;
  return copy;
}

void TextAttribute::XferValue(IPMStream* stream) {
  if (stream->IsReading() && frozen_) {
    stream->SetState(IPMStream::State::kFailure);
    return;
  }
  if (!info_) {
    std::const_pointer_cast<AttributeObject>(std::get<ObjectRef>(value_))->ReadWrite(stream);
    return;
  }
  ::XferValue(stream, kind_, info_->makeObject, value_);
}

std::string TextAttribute::ValueToJson() const {
  return ::ValueToJson(value_);
}

int32_t TextAttribute::ParseTagValue(const IDataBase* db, std::u16string_view text) {
  if (frozen_ || !info_ || !info_->parse) return kTagValueUnsupported;
  AttributeValue parsed = value_;
  int32_t result = info_->parse(*info_, db, text, parsed);
  if (result != kTagValueParsed) return result;
  if (!ValueFitsKind(parsed, kind_)) return kTagValueMalformed;
  value_ = std::move(parsed);
  return kTagValueParsed;
}

WideString TextAttribute::WriteTagValue(const IDataBase* db) const {
  return info_ && info_->write ? info_->write(db, value_) : WideString();
}

InterfacePtr<ITextAttribute> TextAttribute::CreateOpaque(ClassID cls, std::vector<uint8_t> bytes) {
  InterfacePtr<ITextAttribute> attribute = CreateObject<ITextAttribute>(kOpaqueTextAttributeBoss);
  if (!attribute) return {};
  auto* impl = static_cast<TextAttribute*>(attribute.get());
  impl->class_ = cls;
  impl->value_ = ObjectRef(std::make_shared<OpaqueBytes>(std::move(bytes)));
  return attribute;
}

InterfacePtr<ITextAttribute> CreateTextAttribute(ClassID cls) {
  if (!AttributeClasses::Find(cls)) return {};
  return CreateObject<ITextAttribute>(cls);
}

InterfacePtr<ITextAttribute> CreateTextAttribute(ClassID cls, const AttributeValue& value) {
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls);
  if (!attribute || attribute->SetValue(value) != kSuccess) return {};
  return attribute;
}
