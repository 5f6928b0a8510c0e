// The Form page: the ten working forms, the form shown, the line whose
// "more..." was pressed last, and the rules that keep the controls in step
// with each line's data type and the form's font.
#pragma once

#include "editor/sheet.h"

namespace kolibra::editor {

namespace form_control {
constexpr int kName = 700, kFont = 750, kEsc = 751, kNext = 752, kDateStamp = 753,
              kTimeStamp = 754, kLookupFile = 755, kRecordAction = 756;
// Row n (0 to 7) of the grid.
constexpr int data_type(int n) { return 701 + n; }
constexpr int input_source(int n) { return 711 + n; }
constexpr int lookup_link(int n) { return 721 + n; }
constexpr int prompt(int n) { return 601 + n; }
constexpr int min_length(int n) { return 611 + n; }
constexpr int max_length(int n) { return 621 + n; }
constexpr int more(int n) { return 201 + n; }
}  // namespace form_control

class FormPage : public PageLogic {
public:
    explicit FormPage(EditorContext& context);

    FormRecord& working_form() { return forms_[current_form_]; }
    int current_form() const { return current_form_; }
    int current_line() const { return current_line_; }
    int prompt_limit() const { return prompt_limit_; }

    void commit() override;
    void after_commit() override;

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_selected(int id) override;

private:
    void show_form();
    void apply_line_rule(int row);
    void apply_font_rule();
    void length_changed(int row, bool maximum);

    FormRecord forms_[kFormCount]{};
    int current_form_ = 0;
    int current_line_ = 0;
    int prompt_limit_ = 20;
};

}  // namespace kolibra::editor
