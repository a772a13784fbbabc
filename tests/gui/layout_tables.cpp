// SPDX-License-Identifier: MIT
// layout_tables: the three windows' layout tables as the program builds its
// windows from them, in pixels at 96 dpi as the toolkit converts them, as
// JSON for the whole-program driver, which measures our windows by them.
// Built with the tests, never installed.
#include "about_box/frmAbout_layout.h"
#include "config_window/frmMain_layout.h"
#include "progress_window/frmInstall_layout.h"
#include "toolkit/layout.h"
#include "toolkit/units.h"

#include <cstdio>
#include <span>

namespace {

void Rect(const tk::Twips& twips)
{
    const QRect r = tk::ToPixels(twips);
    std::printf("[%d, %d, %d, %d]", r.x(), r.y(), r.width(), r.height());
}

void Window(const char* form, const tk::Twips& area, std::span<const tk::ControlRow> rows, bool last)
{
    std::printf("  \"%s\": {\n    \"ClientArea\": ", form);
    Rect(area);
    std::printf(",\n    \"Controls\": {\n");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::printf("      \"%s\": {\"container\": \"%s\", \"rect\": ", rows[i].name, rows[i].container);
        Rect(rows[i].rect);
        std::printf("}%s\n", i + 1 < rows.size() ? "," : "");
    }
    std::printf("    }\n  }%s\n", last ? "" : ",");
}

} // namespace

int main()
{
    std::printf("{\n");
    Window("frmMain", lw::main_layout::ClientArea, lw::main_layout::Controls, false);
    Window("frmInstall", lw::install_layout::ClientArea, lw::install_layout::Controls, false);
    Window("frmAbout", lw::about_layout::ClientArea, lw::about_layout::Controls, true);
    std::printf("}\n");
    return 0;
}
