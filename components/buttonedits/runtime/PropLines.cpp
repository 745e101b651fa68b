#include "components/buttonedits/runtime/PropLines.h"

#include "classlib/Filer.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/Naming.h"
#include "components/buttonedits/runtime/ObjectStreams.h"


namespace {

constexpr const char* kMissing = "0";

bool Contains(const std::vector<AnsiString>& names, const AnsiString& name) {
  for (const AnsiString& n : names)
    if (AnsiCompareText(n, name) == 0) return true;
  return false;
}

// The entries of a property block whose property (the first part of the
// entry's dotted name) is selected, as a block of their own. Data that a
// sub-object declares itself (a string list's entries) travels under the
// sub-object's name and goes or stays with it.
void SelectEntries(TStream& block, const std::vector<AnsiString>& selected, TStream& out) {
  TReader scan(block);
  while (!scan.EndOfList()) {
    const int64_t start = block.Position();
    const AnsiString path = scan.ReadStr();
    scan.SkipValue();
    const int64_t end = block.Position();
    if (!Contains(selected, path.substr(0, path.find('.')))) continue;
    block.SetPosition(start);
    out.CopyFrom(block, end - start);
  }
  const uint8_t endMark = vaNull;
  out.WriteBuffer(&endMark, 1);
}

uint32_t ReadCount(TStream& stream) {
  uint8_t b[4];
  stream.ReadBuffer(b, 4);
  const uint32_t n = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  if (static_cast<int64_t>(n) > stream.Size() - stream.Position()) throw EReadError("Ungültiges Stream-Format");
  return n;
}

const TPropInfo* TextProp(const TComponent& component) {
  const TPropInfo* prop = GetPropInfo(component, "Text");
  return prop && (prop->Kind() == tkLString || prop->Kind() == tkString || prop->Kind() == tkWString) &&
                 prop->GetStr && prop->SetStr
             ? prop
             : nullptr;
}

void ReadGroup(TStream& block, TComponent& object, const std::vector<AnsiString>& selected,
               const TPropLineError& onError) {
  // Only the selected properties are read: the others are taken out of the
  // data first, so that neither the object nor its class is touched.
  TMemoryStream data;
  SelectEntries(block, selected, data);
  data.SetPosition(0);
  TPropReader reader(data, 4096);
  reader.OnError = [&](const AnsiString& message, bool& handled) {
    if (onError) onError(message, handled);
  };
  const TPropInfo* text = TextProp(object);
  const AnsiString before = text ? text->GetStr(object) : AnsiString();
  reader.ReadProperties(object);
  if (text) {
    const AnsiString after = text->GetStr(object);
    if (after == object.Name() || after == object.Name() + "\r\n") text->SetStr(object, before);
  }
}

}  // namespace

std::vector<TPropLineGroup> GroupPropLines(const TStrings& propList) {
  std::vector<TPropLineGroup> groups;
  for (int32_t i = 0; i < propList.Count(); ++i) {
    const AnsiString line = propList.Strings(i);
    if (line.empty()) continue;
    const size_t dot = line.rfind('.');
    const AnsiString path = dot == AnsiString::npos ? AnsiString() : line.substr(0, dot);
    const AnsiString name = dot == AnsiString::npos ? line : line.substr(dot + 1);
    if (groups.empty() || AnsiCompareText(groups.back().Path, path) != 0) groups.push_back({path, {}});
    groups.back().Names.push_back(name);
  }
  return groups;
}

TComponent* FindPropLineObject(TComponent& owner, const AnsiString& path) {
  if (path.empty()) return &owner;
  if (TComponent* c = owner.FindComponent(path)) return c;
  if (!owner.Name().empty())
    if (TComponent* c = GlobalFindObject(owner.Name() + "." + path)) return c;
  return GlobalFindObject(path);
}

void WritePropLines(TStream& stream, TComponent& owner, const TStrings& propList) {
  TWriter writer(stream);
  for (const TPropLineGroup& group : GroupPropLines(propList)) {
    writer.WriteBoolean(true);
    TComponent* object = FindPropLineObject(owner, group.Path);
    if (!object) {
      writer.WriteString(kMissing);
      continue;
    }
    writer.WriteString(group.Path);
    AnsiString names;
    for (const AnsiString& n : group.Names) names += n + "\r\n";
    writer.WriteString(names);
    WritePropsToStream(stream, *object, group.Names.data(), static_cast<int32_t>(group.Names.size()));
  }
  writer.WriteBoolean(false);
}

void ReadPropLines(TStream& stream, TComponent& owner, const TStrings& propList, const TPropLineError& onError) {
  std::vector<TPropLineGroup> groups = GroupPropLines(propList);
  std::vector<bool> used(groups.size(), false);
  TReader reader(stream);
  while (reader.ReadBoolean()) {
    const AnsiString path = reader.ReadString();
    if (path == kMissing) continue;
    TStringList stored;
    stored.SetText(reader.ReadString());
    const uint32_t count = ReadCount(stream);
    const int64_t end = stream.Position() + count;

    // The first group of the list not yet read with this path.
    const TPropLineGroup* group = nullptr;
    for (size_t i = 0; i < groups.size() && !group; ++i)
      if (!used[i] && AnsiCompareText(groups[i].Path, path) == 0) {
        used[i] = true;
        group = &groups[i];
      }
    std::vector<AnsiString> selected;
    if (group)
      for (const AnsiString& name : group->Names)
        if (stored.IndexOf(name) >= 0) selected.push_back(name);
    TComponent* object = group ? FindPropLineObject(owner, path) : nullptr;
    if (object && !selected.empty()) {
      TMemoryStream data;
      if (count > 0) data.CopyFrom(stream, count);
      data.SetPosition(0);
      ReadGroup(data, *object, selected, onError);
    }
    stream.SetPosition(end);
  }
}
