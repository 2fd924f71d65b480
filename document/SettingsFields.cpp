#include "document/SettingsFields.h"

#include "model/ProjectSchema.h"
#include "platform/Archive.h"

#include <optional>
#include <type_traits>

namespace SettingsFields {

namespace {

namespace PS = ProjectSchema;

// The value a member names in s.
template <class T>
T &Ref(S &s, T S::*member)
{
    return s.*member;
}
template <class T>
const T &Ref(const S &s, T S::*member)
{
    return s.*member;
}
template <class Array>
auto &Ref(S &s, const Slot<Array> &slot)
{
    return (s.*slot.array)[size_t(slot.index)];
}
template <class Array>
const auto &Ref(const S &s, const Slot<Array> &slot)
{
    return (s.*slot.array)[size_t(slot.index)];
}

void Write(CArchive &ar, int32_t v) { ar.WriteInt(v); }
void Write(CArchive &ar, uint32_t v) { ar.WriteColor(v); }
void Write(CArchive &ar, int64_t v) { ar.WriteInt64(v); }
void Write(CArchive &ar, const QString &v) { ar.WriteString(v); }
void Write(CArchive &ar, const QStringList &v) { ar.WriteStringList(v); }

void Read(CArchive &ar, int32_t &v) { v = ar.ReadInt(); }
void Read(CArchive &ar, uint32_t &v) { v = ar.ReadColor(); }
void Read(CArchive &ar, int64_t &v) { v = ar.ReadInt64(); }
void Read(CArchive &ar, QString &v) { v = ar.ReadString(); }
void Read(CArchive &ar, QStringList &v) { v = ar.ReadStringList(); }

template <class T, class Variant>
struct IsAlternative;
template <class T, class... Alternatives>
struct IsAlternative<T, std::variant<Alternatives...>> : std::disjunction<std::is_same<T, Alternatives>...>
{
};

// Gives a field that was not read the value its row gives, when it gives one.
void ApplyNotRead(const Field &f, CCourseSettings &s)
{
    std::visit(
        [&](const auto &member) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(member)>, std::monostate>) {
                using T = std::decay_t<decltype(Ref(s, member))>;
                if constexpr (IsAlternative<T, NotRead>::value)
                    if (const T *value = std::get_if<T>(&f.notRead))
                        Ref(s, member) = *value;
            }
        },
        f.member);
}

// The member a row names, as a field names it.
Member MemberOf(const CourseSettingDescriptor &d)
{
    if (d.intMember)
        return d.intMember;
    if (d.colourMember)
        return d.colourMember;
    if (d.dateMember)
        return d.dateMember;
    if (d.textMember)
        return d.textMember;
    if (d.listMember)
        return d.listMember;
    if (d.intSlots)
        return At(d.intSlots, d.slot);
    if (d.colourSlots)
        return At(d.colourSlots, d.slot);
    return At(d.textSlots, d.slot);
}

} // namespace

std::vector<Field> LayoutOf(SettingStore store, int part, std::initializer_list<int> obsolete)
{
    std::vector<std::optional<Field>> placed;
    const auto put = [&](int position, Field field) {
        if (position < 0 || position > 10000)
            qFatal("A setting's place %d is out of range", position);
        if (size_t(position) >= placed.size())
            placed.resize(size_t(position) + 1);
        if (placed[size_t(position)])
            qFatal("Two settings take place %d of store %u part %d", position, unsigned(store), part);
        placed[size_t(position)] = std::move(field);
    };
    for (const CourseSettingDescriptor &d : CourseSettingTable())
        for (const SettingPlace &place : d.places)
            if (place.store == store && place.part == part)
                put(place.position, Field{MemberOf(d), place.gate, place.n, place.notRead});
    for (int position : obsolete)
        put(position, Obsolete());
    std::vector<Field> layout;
    layout.reserve(placed.size());
    for (size_t i = 0; i < placed.size(); ++i) {
        // A gap would shift every later field of the file: the rows must place the part's fields densely.
        if (!placed[i])
            qFatal("No setting takes place %zu of store %u part %d", i, unsigned(store), part);
        layout.push_back(std::move(*placed[i]));
    }
    return layout;
}

void Append(std::vector<Field> &to, std::vector<Field> more) { to.insert(to.end(), more.begin(), more.end()); }

bool Holds(const Field &f, const CourseSettingDescriptor &d)
{
    return std::visit(
        [&](const auto &member) {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, int32_t S::*>)
                return d.intMember == member;
            else if constexpr (std::is_same_v<M, uint32_t S::*>)
                return d.colourMember == member;
            else if constexpr (std::is_same_v<M, int64_t S::*>)
                return d.dateMember == member;
            else if constexpr (std::is_same_v<M, QString S::*>)
                return d.textMember == member;
            else if constexpr (std::is_same_v<M, QStringList S::*>)
                return d.listMember == member;
            else if constexpr (std::is_same_v<M, Slot<S::Slots4Int>>)
                return d.intSlots == member.array && d.slot == member.index;
            else if constexpr (std::is_same_v<M, Slot<std::array<uint32_t, 4>>>)
                return d.colourSlots == member.array && d.slot == member.index;
            else if constexpr (std::is_same_v<M, Slot<S::Slots4Text>>)
                return d.textSlots == member.array && d.slot == member.index;
            else
                return false;
        },
        f.member);
}

std::vector<StoredPlace> PlacesOf(const std::vector<Field> &layout, const CourseSettingDescriptor &d)
{
    std::vector<StoredPlace> places;
    for (size_t i = 0; i < layout.size(); ++i)
        if (Holds(layout[i], d))
            places.push_back({int(i), layout[i].gate, layout[i].n});
    return places;
}

bool IsOpen(const Field &f, const GateState &state)
{
    switch (f.gate) {
    case Gate::always:
        return true;
    case Gate::atLeast:
        return PS::AtLeast(state.schema, f.n);
    case Gate::above:
        return PS::Above(state.schema, f.n);
    case Gate::atLeastOrRetry:
        return PS::AtLeast(state.schema, f.n) || state.retry;
    case Gate::noSchemaOnly:
        return !state.hasSchemaNumber && !state.retry;
    }
    return false;
}

void StoreFields(CArchive &ar, const std::vector<Field> &fields, const CCourseSettings &s)
{
    for (const Field &f : fields)
        std::visit(
            [&](const auto &member) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(member)>, std::monostate>)
                    Write(ar, Ref(s, member));
            },
            f.member);
}

void LoadFields(CArchive &ar, const std::vector<Field> &fields, CCourseSettings &s, const GateState &state)
{
    for (const Field &f : fields) {
        if (!IsOpen(f, state)) {
            ApplyNotRead(f, s);
            continue;
        }
        std::visit(
            [&](const auto &member) {
                if constexpr (std::is_same_v<std::decay_t<decltype(member)>, std::monostate>) {
                    ar.ReadString();
                    ar.ReadString();
                } else {
                    Read(ar, Ref(s, member));
                }
            },
            f.member);
    }
}

} // namespace SettingsFields
