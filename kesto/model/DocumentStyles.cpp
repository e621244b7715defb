// Style lookup and creation.
#include "kesto/model/DocumentStyles.h"

#include <optional>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/IStyleData.h"
#include "host/text/ITextAttribute.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextIDs.h"

namespace kesto {

namespace {

StyleLookup Lookup(IDataBase* db, StyleKind kind, std::u16string_view name) {
  return name.empty() || !db ? StyleLookup() : StyleUtils::FindStyle(db, kind, name);
}

UID Find(IDataBase* db, StyleKind kind, std::u16string_view name) {
  StyleLookup found = Lookup(db, kind, name);
  return found.matches > 0 ? found.style : kInvalidUID;
}

// Attributes that belong to one character rather than to a look: no style carries them.
constexpr ClassID kNonStyleClasses[] = {kTextAttrPageNumberKind, kTextAttrTextAnchor};

// The point size the style `info` defines would get from the style it is based on (or from the root).
bool BasedOnPointSize(const VyCharacterStyleInfo& info, double& pointSize) {
  K2AttributeSetMgr basedOn(info.GetDocument(), info.GetStyleKind());
  basedOn.LoadFrom(info.GetBasedOn().IsValid() ? info.GetBasedOn() : info.RootStyle(), AttributeBossList());
  return basedOn.GetReal(kTextAttrPointSize, pointSize);
}

// The attributes a new style gets from `info`. Relative leading exists only as an override of text (a
// style's leading always reads as absolute), so a style gets the leading it gives at its own point size;
// the language needs nothing, as a style's language covers whole paragraphs by itself.
AttributeBossList StyleAttributesOf(const VyCharacterStyleInfo& info) {
  const AttributeBossList* overrides = info.GetAgent()->GetOverrides();
  AttributeBossList attributes = overrides ? *overrides : AttributeBossList();
  (void)attributes.ClearOverrides(kNonStyleClasses);
  double pointSize = 0;
  if (!info.GetReal(kTextAttrPointSize, pointSize) && !BasedOnPointSize(info, pointSize)) return attributes;
  if (std::optional<double> leading =
          K2AttributeSetMgr::ParagraphLeadingFor(info.PeekParagraphScope(), pointSize)) {
    InterfacePtr<ITextAttribute> absolute = CreateTextAttribute(kTextAttrLeading, AttributeValue(*leading));
    if (absolute) (void)attributes.ApplyAttribute(absolute.get());
  }
  return attributes;
}

// Creates the style `info` defines, or with `existing` gives that style what `info` defines (its name
// aside). False when the host refuses; the refusal resets the global error code.
bool WriteStyle(VyCharacterStyleInfo& info, UID nextStyle, UID characterStyle, UID existing) {
  IDataBase* db = info.GetDocument();
  InterfacePtr<ICommand> cmd =
      CmdUtils::CreateCommand(existing.IsValid() ? kEditStyleCmdBoss : kCreateStyleCmdBoss);
  InterfacePtr<IStyleData> data(cmd, UseDefaultIID());
  if (!db || !cmd || !data) return false;
  if (existing.IsValid()) {
    cmd->SetItemList(UIDList(db, {existing}));
  } else {
    cmd->SetTargetDataBase(db);
    data->SetKind(info.GetStyleKind());
    data->SetName(info.GetName());
  }
  data->SetBasedOn(info.GetBasedOn());
  if (info.GetStyleKind() == StyleKind::kParagraph) {
    data->SetNextStyle(nextStyle);
    data->SetCharacterStyle(characterStyle);
  }
  data->SetAttributes(StyleAttributesOf(info));
  if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess || cmd->GetItemList().size() != 1) {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return false;
  }
  info.SetStyleUID(cmd->GetItemList()[0]);
  return true;
}

}  // namespace

UID FindParagraphStyle(IDataBase* db, std::u16string_view name) {
  return Find(db, StyleKind::kParagraph, name);
}

UID FindCharacterStyle(IDataBase* db, std::u16string_view name) {
  return Find(db, StyleKind::kCharacter, name);
}

StyleLookup LookupParagraphStyle(IDataBase* db, std::u16string_view name) {
  return Lookup(db, StyleKind::kParagraph, name);
}

StyleLookup LookupCharacterStyle(IDataBase* db, std::u16string_view name) {
  return Lookup(db, StyleKind::kCharacter, name);
}

UID RootParagraphStyle(IDataBase* db) {
  return StyleUtils::GetRootStyle(db, StyleKind::kParagraph);
}

UID RootCharacterStyle(IDataBase* db) {
  return StyleUtils::GetRootStyle(db, StyleKind::kCharacter);
}

bool AddCharacterStyle(VyCharacterStyleInfo& info) {
  return WriteStyle(info, kInvalidUID, kInvalidUID, kInvalidUID);
}

bool AddParagraphStyle(VyParagraphStyleInfo& info) {
  return WriteStyle(info, info.GetNextStyle(), info.GetCharacterStyle(), kInvalidUID);
}

bool RedefineParagraphStyle(VyParagraphStyleInfo& info, UID style) {
  return style.IsValid() && WriteStyle(info, info.GetNextStyle(), info.GetCharacterStyle(), style);
}

}  // namespace kesto
