#pragma once

#include "document/CourseSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

class CArchive;

// The course settings as the binary stores write them: a table of fields in file order, each naming its
// setting by member pointer, with the schema gate that decides whether a reader finds it in a file. The
// project file and the per-user setting.bin build their layouts from the places the settings' rows give
// (CourseSettingDescriptor::places), so the order, the kinds and the gates are written down once, beside
// each setting's name and default, and shared by both directions.
namespace SettingsFields {

using S = CCourseSettings;

// One slot of an array setting.
template <class Array>
struct Slot
{
    Array S::*array;
    int index;
};

// Where a field's value lives in the settings; monostate: the two obsolete strings of old project files.
using Member = std::variant<std::monostate, int32_t S::*, uint32_t S::*, int64_t S::*, QString S::*,
                            QStringList S::*, Slot<S::Slots4Int>, Slot<std::array<uint32_t, 4>>,
                            Slot<S::Slots4Text>>;
// The value a field takes when its gate keeps it out; monostate: it keeps what it had.
using NotRead = SettingNotRead;

// When a field is read, by the schema number of the file.
using Gate = SettingGate;

struct Field
{
    Member member;
    Gate gate = Gate::always;
    int32_t n = 0;
    NotRead notRead;
};

// What the gates look at while a file is read.
struct GateState
{
    int32_t schema = 0;
    bool hasSchemaNumber = true;
    bool retry = false;
};

template <class M>
Field Always(M member)
{
    return {member, Gate::always, 0, {}};
}
template <class M>
Field AtLeast(M member, int32_t n, NotRead notRead = {})
{
    return {member, Gate::atLeast, n, std::move(notRead)};
}
template <class M>
Field Above(M member, int32_t n)
{
    return {member, Gate::above, n, {}};
}
template <class M>
Field AtLeastOrRetry(M member, int32_t n, NotRead notRead)
{
    return {member, Gate::atLeastOrRetry, n, std::move(notRead)};
}
inline Field Obsolete() { return {std::monostate{}, Gate::noSchemaOnly, 0, {}}; }

inline Slot<S::Slots4Text> At(S::Slots4Text S::*array, int index) { return {array, index}; }
inline Slot<S::Slots4Int> At(S::Slots4Int S::*array, int index) { return {array, index}; }
inline Slot<std::array<uint32_t, 4>> At(std::array<uint32_t, 4> S::*array, int index) { return {array, index}; }

// The fields of one part of a store (a SettingProjectBlock or a SettingFilePart) in file order, as the
// settings' rows place them. The positions listed in obsolete hold the two strings old project files
// keep there, which no setting takes.
std::vector<Field> LayoutOf(SettingStore store, int part, std::initializer_list<int> obsolete = {});
void Append(std::vector<Field> &to, std::vector<Field> more);

bool IsOpen(const Field &f, const GateState &state);

// Where a setting lies among a binary store's fields: its position and the gate a reader applies there.
struct StoredPlace
{
    int position;
    Gate gate;
    int32_t n;
};
// Whether the field keeps the descriptor's setting (for an array, the descriptor's slot).
bool Holds(const Field &f, const CourseSettingDescriptor &d);
// Every place the fields keep the setting, in file order: none when the store does not keep it, two for
// the project file's repeated PHP flag.
std::vector<StoredPlace> PlacesOf(const std::vector<Field> &layout, const CourseSettingDescriptor &d);
// Writes every field; the obsolete strings are never written.
void StoreFields(CArchive &ar, const std::vector<Field> &fields, const CCourseSettings &s);
// Reads the fields whose gates are open; the others take their row's value, or keep theirs.
void LoadFields(CArchive &ar, const std::vector<Field> &fields, CCourseSettings &s, const GateState &state);

} // namespace SettingsFields
