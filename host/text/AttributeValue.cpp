// Attribute values: kinds, equality, persistence and JSON.
#include "host/text/AttributeValue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/db/IPMStream.h"

namespace {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

size_t IndexOfKind(AttributeKind kind) {
  switch (kind) {
    case AttributeKind::kBool:
      return 0;
    case AttributeKind::kInt16:
      return 1;
    case AttributeKind::kInt32:
    case AttributeKind::kEnum:
      return 2;
    case AttributeKind::kReal:
      return 3;
    case AttributeKind::kUID:
      return 4;
    case AttributeKind::kClassID:
      return 5;
    case AttributeKind::kString:
      return 6;
    case AttributeKind::kObject:
      return 7;
  }
  return std::variant_npos;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHigh(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLow(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

bool ValueFitsKind(const AttributeValue& value, AttributeKind kind) {
  if (value.index() != IndexOfKind(kind)) return false;
  if (const auto* object = std::get_if<ObjectRef>(&value)) return *object != nullptr;
  if (const auto* real = std::get_if<double>(&value)) return std::isfinite(*real);
  return true;
}

bool ValuesEqual(const AttributeValue& a, const AttributeValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* x = std::get_if<ObjectRef>(&a)) {
    const auto& y = std::get<ObjectRef>(b);
    if (*x == y) return true;
    return *x && y && (*x)->Equals(*y);
  }
  return a == b;
}

bool ValueAsNumber(const AttributeValue& value, double& number) {
  return std::visit(Overloaded{[&](bool v) {
                                 number = v ? 1 : 0;
                                 return true;
                               },
                               [&](int16_t v) {
                                 number = v;
                                 return true;
                               },
                               [&](int32_t v) {
                                 number = v;
                                 return true;
                               },
                               [&](double v) {
                                 number = v;
                                 return true;
                               },
                               [](const auto&) { return false; }},
                    value);
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof(buffer), "%.0f", value == 0 ? 0.0 : value);
    return buffer;
  }
  std::snprintf(buffer, sizeof(buffer), "%.17g", value);
  // The shortest form that reads back the same value keeps the output readable ("12", not "12.000...").
  for (int precision = 1; precision < 17; ++precision) {
    char shorter[32];
    std::snprintf(shorter, sizeof(shorter), "%.*g", precision, value);
    if (std::strtod(shorter, nullptr) == value) return shorter;
  }
  return buffer;
}

std::string JsonQuote(std::u16string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    if (u == u'"' || u == u'\\') {
      out += '\\';
      out += static_cast<char>(u);
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(u));
      out += escape;
    } else if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHigh(u) || IsLow(u)) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out + "\"";
}

std::string ValueToJson(const AttributeValue& value) {
  return std::visit(
      Overloaded{[](bool v) -> std::string { return v ? "true" : "false"; },
                 [](int16_t v) { return std::to_string(v); }, [](int32_t v) { return std::to_string(v); },
                 [](double v) { return JsonNumber(v); }, [](UID v) { return std::to_string(v.Get()); },
                 [](ClassID v) { return std::to_string(v.Get()); },
                 [](const WideString& v) { return JsonQuote(v); },
                 [](const ObjectRef& v) -> std::string { return v ? v->ToJson() : "null"; }},
      value);
}

const char* KindName(AttributeKind kind) {
  switch (kind) {
    case AttributeKind::kBool:
      return "bool";
    case AttributeKind::kInt16:
      return "int16";
    case AttributeKind::kInt32:
      return "int32";
    case AttributeKind::kReal:
      return "real";
    case AttributeKind::kEnum:
      return "enum";
    case AttributeKind::kUID:
      return "uid";
    case AttributeKind::kClassID:
      return "class";
    case AttributeKind::kString:
      return "string";
    case AttributeKind::kObject:
      return "object";
  }
  return "?";
}

namespace {

template <class T, class F>
void XferAs(IPMStream* stream, AttributeValue& value, F xfer) {
  T v{};
  if (stream->IsWriting()) v = std::get<T>(value);
  xfer(v);
  if (stream->IsReading()) value = v;
}

void XferObject(IPMStream* stream, const ObjectFactory& makeObject, AttributeValue& value) {
  if (stream->IsWriting()) {
    std::const_pointer_cast<AttributeObject>(std::get<ObjectRef>(value))->ReadWrite(stream);
    return;
  }
  std::shared_ptr<AttributeObject> object = makeObject ? makeObject() : nullptr;
  if (!object) {
    stream->SetState(IPMStream::State::kFailure);
    return;
  }
  object->ReadWrite(stream);
  value = ObjectRef(std::move(object));
}

}  // namespace

void XferValue(IPMStream* stream, AttributeKind kind, const ObjectFactory& makeObject,
               AttributeValue& value) {
  switch (kind) {
    case AttributeKind::kBool:
      return XferAs<bool>(stream, value, [&](bool& v) { stream->XferBool(v); });
    case AttributeKind::kInt16:
      return XferAs<int16_t>(stream, value, [&](int16_t& v) { stream->XferInt16(v); });
    case AttributeKind::kInt32:
    case AttributeKind::kEnum:
      return XferAs<int32_t>(stream, value, [&](int32_t& v) { stream->XferInt32(v); });
    case AttributeKind::kReal:
      return XferAs<double>(stream, value, [&](double& v) {
        stream->XferReal(v);
        if (!std::isfinite(v)) v = 0;
      });
    case AttributeKind::kUID:
      return XferAs<UID>(stream, value, [&](UID& v) { stream->XferReference(v); });
    case AttributeKind::kClassID:
      return XferAs<ClassID>(stream, value, [&](ClassID& v) { stream->XferID(v); });
    case AttributeKind::kString:
      return XferAs<WideString>(stream, value, [&](WideString& v) { stream->XferString(v); });
    case AttributeKind::kObject:
      return XferObject(stream, makeObject, value);
  }
}
