#pragma once

#include "platform/Archive.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <QVariant>

#include <gtest/gtest.h>

#include <functional>

// The 20 built-in graphics categories of a new course, as the format's tables list them.
extern const QStringList kBuiltInCategories;

// A project file built field by field from the format's own tables, independently of the document's
// writer: the built-in value of each field, or the override given for it by name. Fields are written only
// when the schema reaches their gate, so the same builder makes files of older schemas. Screens and
// topics are appended by the caller through the hooks. An override that no field written used (a
// misspelt name, a field the schema leaves out) fails the test, rather than leaving it to test nothing.
class GoldenProject
{
public:
    static constexpr int32_t kNoSchema = 0; // write no schema number: the first int32 is the next screen number

    GoldenProject(int32_t schema, QMap<QString, QVariant> overrides = {})
        : m_schema(schema == kNoSchema ? 1000000 : schema), m_noSchema(schema == kNoSchema),
          m_over(std::move(overrides))
    {
    }
    GoldenProject(GoldenProject &&) = default;
    ~GoldenProject()
    {
        for (auto it = m_over.cbegin(); it != m_over.cend(); ++it)
            if (!m_used.contains(it.key()))
                ADD_FAILURE() << "the golden project never wrote the field it was given: " << it.key().toStdString();
    }
    // A file of the shape the retry pass assumes: the fields of schema 1000001 without its schema number and
    // without the two obsolete strings.
    static GoldenProject RetryShaped(QMap<QString, QVariant> overrides = {})
    {
        GoldenProject g(1000001, std::move(overrides));
        g.m_omitSchemaNumber = true;
        return g;
    }

    int32_t Schema() const { return m_schema; }
    CArchive &Ar() { return m_ar; }
    QByteArray Bytes() const { return m_ar.GetBuffer(); }

    void I(const char *name, int32_t def) { m_ar.WriteInt(Value(name, def).toInt()); }
    void S(const char *name, const QString &def) { m_ar.WriteString(Value(name, def).toString()); }
    void L(const char *name, const QStringList &def) { m_ar.WriteStringList(Value(name, def).toStringList()); }
    // The override given for the field, or def.
    QVariant Value(const char *name, const QVariant &def)
    {
        m_used.insert(QString::fromLatin1(name));
        return m_over.value(name, def);
    }
    bool AtLeast(int32_t n) const { return m_schema >= n; }
    bool Above(int32_t n) const { return m_schema > n; }

    // The header and the settings block up to LinearSourceAssessable.
    void WriteSettings(qint64 expiry);
    // The settings and glossary documents after the topic list.
    void WritePostTopic(const QStringList &glossaryDocuments = {});
    // Topic list in the form the schema uses: each topic as five strings.
    void WriteTopics(const QList<QStringList> &topics);

    // One screen record; number and menu kind are left out when negative. Components write their own records.
    void WriteScreen(int number, const QString &title, const QString &label, int pageType, int menuKind,
                     const std::function<void(CArchive &)> &components = {}, int componentCount = 0);
    // The section marker and count of the popups or glossary list.
    void WriteSection(const QString &marker, int count)
    {
        m_ar.WriteString(marker);
        m_ar.WriteInt(count);
    }

private:
    int32_t m_schema;
    bool m_noSchema;
    bool m_omitSchemaNumber = false;
    QMap<QString, QVariant> m_over;
    QSet<QString> m_used;
    CArchive m_ar;
};
