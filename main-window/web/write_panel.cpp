// Prints a piece of the page made from Form1's description, for the build to
// put into the site: write_panel html | css | title
#include <iostream>
#include <string_view>

#include "form1_description.h"
#include "panel_markup.h"

int main(int argc, char** argv) {
    const std::string_view piece = argc == 2 ? argv[1] : "";
    if (piece == "html") {
        std::cout << panel_markup::PanelHtml();
    } else if (piece == "css") {
        std::cout << panel_markup::PanelCss();
    } else if (piece == "title") {
        std::cout << panel_markup::EscapeHtml(form1::kTitle) << '\n';
    } else {
        std::cerr << "usage: write_panel html | css | title\n";
        return 2;
    }
    return 0;
}
