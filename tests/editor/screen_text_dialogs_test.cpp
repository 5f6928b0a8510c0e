// The eighteen screen-text dialogs against the screens they edit: the title,
// the fixed-pitch font, one edit per shown line (601 upward) and, beside
// each, the line's factory text, but for the two labels that differ.
#include "editor/dialogs/screen_text_dialog.h"
#include "editor/editor_templates.h"
#include "model/factory_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolibra::editor {
namespace {

std::string shown(std::string label) {
    // "&&" shows a single "&".
    for (std::size_t at = label.find("&&"); at != std::string::npos; at = label.find("&&", at + 1))
        label.erase(at, 1);
    return label;
}

TEST(ScreenTextDialogs, EachShowsItsScreensLinesBesideTheirFactoryTexts) {
    const int lines[kPageTextCount] = {4, 3, 8, 4, 3, 4, 4, 8, 8, 8, 5, 4, 4, 4, 8, 4, 5, 7};
    for (int p = 0; p < kPageTextCount; ++p) {
        const PageId page = static_cast<PageId>(p);
        const DialogTemplate& d = editor_template(screen_text_layout(page).template_name);
        SCOPED_TRACE(d.name);
        EXPECT_EQ(d.caption, page_text_info(page).editor_title);
        EXPECT_EQ(d.font_face, "Courier");
        EXPECT_EQ(d.font_points, 8);
        std::vector<std::string> labels;
        std::vector<int> edits;
        for (const ControlTemplate& c : d.controls) {
            if (c.kind == ControlKind::Label) labels.push_back(shown(c.text));
            if (c.kind == ControlKind::Edit) edits.push_back(c.id);
        }
        ASSERT_EQ(static_cast<int>(edits.size()), lines[p]);
        ASSERT_EQ(labels.size(), edits.size());
        for (int k = 0; k < lines[p]; ++k) {
            EXPECT_EQ(edits[k], 601 + k);
            std::string want = factory_page_line(page, k);
            if (page == PageId::Download && k == 0) want = "Download new program";
            if (page == PageId::RecordPrompt && k == 3) want = " screen : __00 ms   ";
            EXPECT_EQ(labels[k], want) << "line " << k + 1;
        }
        EXPECT_TRUE(d.control(1) && d.control(2)) << "OK and Cancel";
    }
}

}  // namespace
}  // namespace kolibra::editor
