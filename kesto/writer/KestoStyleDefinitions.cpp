// The Kesto writer's style-sheet definition lines, one per style, each comparing the style with the style
// the reader starts its definition from, so that only what the style adds is written.
#include "host/core/InterfacePtr.h"
#include "host/text/StyleUtils.h"
#include "kesto/writer/KestoPutter.h"

namespace kesto {

void KestoPutter::PutQuotedStyleName(IDataBase* db, UID style, StyleKind kind) {
  InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, style, kind);
  bool root = !style.IsValid() || style == StyleUtils::GetRootStyle(db, kind);
  PutStyleName(info && !root ? std::u16string_view(info->GetName()) : std::u16string_view(), true);
}

int32_t KestoPutter::PutCharacterStyle(const K2AttributeSetMgr& style) {
  IDataBase* db = style.GetDocument();
  InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, style.GetStyle(), StyleKind::kCharacter);
  if (!info || style.GetStyle() == style.RootStyle()) return GetError();
  PutChar(u'@');
  PutStyleName(info->GetName(), false);
  PutChar(u'=');
  UID basedOn = info->GetBasedOn();
  bool realBase = basedOn.IsValid() && basedOn != style.RootStyle();
  if (realBase) {
    PutAscii("[S\"\",\"\",\"\",");
    PutQuotedStyleName(db, basedOn, StyleKind::kCharacter);
    PutChar(u']');
  }
  // The reader starts from the based-on style, or from the root (which holds nothing).
  K2AttributeSetMgr base(db, StyleKind::kCharacter);
  base.LoadFrom(realBase ? basedOn : style.RootStyle(), AttributeBossList());
  defining_ = true;
  BeginGroup();
  PutCharacterAttributes(style, &base, nullptr);
  EndGroup();
  defining_ = false;
  PutChar(u'\r');
  return GetError();
}

int32_t KestoPutter::PutParagraphStyle(const K2AttributeSetMgr& style) {
  IDataBase* db = style.GetDocument();
  UID uid = style.GetStyle();
  InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, uid, StyleKind::kParagraph);
  if (!info || uid == style.RootStyle()) return GetError();
  PutChar(u'@');
  PutStyleName(info->GetName(), false);
  PutAscii("=[S");
  UID basedOn = info->GetBasedOn();
  bool realBase = basedOn.IsValid() && basedOn != style.RootStyle();
  PutQuotedStyleName(db, realBase ? basedOn : UID(), StyleKind::kParagraph);
  UID next = info->GetNextStyle();
  UID characterStyle = info->GetCharacterStyle();
  bool hasCharacterStyle =
      characterStyle.IsValid() && StyleUtils::QueryStyle(db, characterStyle, StyleKind::kCharacter);
  if (next.IsValid() && next != uid) {
    PutChar(u',');
    PutQuotedStyleName(db, next, StyleKind::kParagraph);
  } else if (hasCharacterStyle) {
    // An empty field would make the root the next style: the style's own name keeps it following itself.
    PutChar(u',');
    PutStyleName(info->GetName(), true);
  }
  if (hasCharacterStyle) {
    PutChar(u',');
    PutQuotedStyleName(db, characterStyle, StyleKind::kCharacter);
  }
  PutChar(u']');
  // A definition based on nothing starts from the default paragraph style.
  K2AttributeSetMgr base(db, StyleKind::kParagraph);
  UID start = realBase ? basedOn : style.DefaultParagraphStyle();
  base.LoadFrom(start.IsValid() ? start : style.RootStyle(), AttributeBossList());
  defining_ = true;
  BeginGroup();
  PutParagraphAttributes(style, &base);
  if (!hasCharacterStyle) PutCharacterAttributes(style, &base, nullptr);
  EndGroup();
  defining_ = false;
  PutChar(u'\r');
  return GetError();
}

}  // namespace kesto
