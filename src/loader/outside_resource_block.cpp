#include "loader/outside_resource_block.h"

#include <libxml/parser.h>

#include <mutex>
#include <utility>

#include "loader/blank_collapse.h"
#include "loader/windows1250_encoding.h"

namespace pantrel {
namespace {

thread_local OutsideResourceBlock* tCurrentBlock = nullptr;

xmlExternalEntityLoader gLibraryLoader = nullptr;

xmlParserInputPtr GuardedLoader(const char* url, const char* id, xmlParserCtxtPtr context) {
    if (const OutsideResourceBlock* const block = OutsideResourceBlock::Current()) {
        const char* const name = url != nullptr ? url : id;
        block->Refused(name != nullptr ? std::string_view{name} : std::string_view{});
        return nullptr;
    }
    return gLibraryLoader(url, id, context);
}

}  // namespace

void PrepareXmlParser() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        RegisterWindows1250Encoding();
        MarkBuiltInTypesForBlankCollapse();
        gLibraryLoader = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(GuardedLoader);
    });
}

OutsideResourceBlock::OutsideResourceBlock(RefusalListener listener)
    : listener_(std::move(listener)), outer_(tCurrentBlock) {
    tCurrentBlock = this;
}

OutsideResourceBlock::~OutsideResourceBlock() {
    tCurrentBlock = outer_;
}

OutsideResourceBlock* OutsideResourceBlock::Current() noexcept {
    return tCurrentBlock;
}

void OutsideResourceBlock::Refused(std::string_view resource) const noexcept {
    if (!listener_) {
        return;
    }
    try {
        listener_(resource);
    } catch (...) {
        // The refusal itself stands; only its report is lost.
    }
}

}  // namespace pantrel
