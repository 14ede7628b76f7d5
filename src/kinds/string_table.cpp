#include "kinds/string_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pantrel {
namespace {

struct StringResource {
    unsigned id;
    std::string_view text;
};

// Sorted by identifier. The noun texts are stored in lower case; callers apply the letter case.
constexpr std::array kStrings{
    StringResource{IDS_ABOUT_ENTRY, "O &programie"},
    StringResource{IDS_GUID_CASH_REGISTER, "{FED75241-388C-11d9-AAE0-000C2963BED9}"},
    StringResource{IDS_GUID_LABEL_SCALE, "{DCC51001-388C-11d9-AAE0-000C2963BED9}"},
    StringResource{IDS_GUID_FISCAL_PRINTER, "{FFB4E470-388C-11d9-AAE0-000C2963BED9}"},
    StringResource{IDS_NO_DRIVER_CHOSEN, "Nie wybrano żadnego sterownika"},
    StringResource{7110, "kasa fiskalna"},
    StringResource{7111, "drukarka fiskalna"},
    StringResource{7112, "waga etykietująca"},
    StringResource{7113, "czytnik kodów kreskowych"},
    StringResource{7114, "kasy fiskalnej"},
    StringResource{7115, "drukarki fiskalnej"},
    StringResource{7116, "wagi etykietującej"},
    StringResource{7117, "czytnika kodów kreskowych"},
    StringResource{7118, "kasy fiskalne"},
    StringResource{7119, "drukarki fiskalne"},
    StringResource{7120, "wagi etykietujące"},
    StringResource{7121, "czytniki kodów kreskowych"},
    StringResource{7122, "kas fiskalnych"},
    StringResource{7123, "drukarek fiskalnych"},
    StringResource{7124, "wag etykietujących"},
    StringResource{7125, "czytników kodów kreskowych"},
    StringResource{7126, "kasę fiskalną"},
    StringResource{7127, "drukarkę fiskalną"},
    StringResource{7128, "wagę etykietującą"},
    StringResource{7130, "kasie fiskalnej"},
    StringResource{7131, "drukarce fiskalnej"},
    StringResource{7132, "wadze etykietującej"},
    StringResource{7133, "czytniku kodów kreskowych"},
    StringResource{7134, "kasach fiskalnych"},
    StringResource{7135, "drukarkach fiskalnych"},
    StringResource{7136, "wagach etykietujących"},
    StringResource{7137, "czytnikach kodów kreskowych"},
    StringResource{IDS_CONFIRM_REMOVAL,
                   "Czy na pewno usunąć model %s z listy urządzeń obsługiwanych przez sterownik "
                   "uniwersalny?"},
    StringResource{IDS_APP_TITLE, "Program serwisowy"},
};

static_assert(std::ranges::is_sorted(kStrings, {}, &StringResource::id));

}  // namespace

std::string_view LoadResourceString(unsigned id) {
    const auto* const found = std::ranges::lower_bound(kStrings, id, {}, &StringResource::id);
    if (found == kStrings.end() || found->id != id) {
        return {};
    }
    return found->text;
}

}  // namespace pantrel
