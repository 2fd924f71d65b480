#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

// A dialog's values bound field by field to the values of what the dialog edits: each row pairs a field of
// the dialog's values with the member of the model's values it mirrors, so that presetting the dialog and
// applying its values walk one table instead of two hand-written copies of the same field list. Numbers
// of different types (a dialog's double, a component's float) convert on the way.
template <class Dialog, class Model>
class CValueBindings
{
public:
    struct Row
    {
        std::function<void(const Model &, Dialog &)> load;
        std::function<void(const Dialog &, Model &)> store;
    };

    CValueBindings(std::initializer_list<Row> rows) : m_rows(rows) {}

    // The dialog's fields take the model's values.
    void Load(const Model &from, Dialog &to) const
    {
        for (const Row &row : m_rows)
            row.load(from, to);
    }
    // The model's members take the dialog's values.
    void Store(const Dialog &from, Model &to) const
    {
        for (const Row &row : m_rows)
            row.store(from, to);
    }

private:
    std::vector<Row> m_rows;
};

// One row: the dialog's field and the model's member.
template <class Dialog, class Model, class DialogField, class ModelField>
typename CValueBindings<Dialog, Model>::Row Bind(DialogField Dialog::*dialogField, ModelField Model::*modelField)
{
    return {[dialogField, modelField](const Model &from, Dialog &to) {
                to.*dialogField = static_cast<DialogField>(from.*modelField);
            },
            [dialogField, modelField](const Dialog &from, Model &to) {
                to.*modelField = static_cast<ModelField>(from.*dialogField);
            }};
}
