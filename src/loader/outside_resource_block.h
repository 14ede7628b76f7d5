// libxml2's one-time setup, which keeps every outside resource out.
#pragma once

#include <functional>
#include <string_view>

namespace pantrel {

// Initialises libxml2 once per process: registers our Windows-1250 decoder, mends the blank
// handling of numbers (MarkBuiltInTypesForBlankCollapse) and installs the entity loader through
// which the library asks for every resource outside the document it parses (external DTDs and
// entities, schema imports). Called before any parser object is made.
void PrepareXmlParser();

// While a block is alive on a thread, that loader refuses every outside resource asked for on
// the thread and tells the block which one it was; outside a block it behaves as libxml2's own.
// Blocks nest; the innermost one is told.
class OutsideResourceBlock {
public:
    using RefusalListener = std::function<void(std::string_view resource)>;

    explicit OutsideResourceBlock(RefusalListener listener = {});
    ~OutsideResourceBlock();
    OutsideResourceBlock(const OutsideResourceBlock&) = delete;
    OutsideResourceBlock& operator=(const OutsideResourceBlock&) = delete;

    // The innermost block of this thread, nullptr when there is none.
    static OutsideResourceBlock* Current() noexcept;

    // Tells the listener; never lets an exception out, as the caller is libxml2.
    void Refused(std::string_view resource) const noexcept;

private:
    RefusalListener listener_;
    OutsideResourceBlock* outer_;
};

}  // namespace pantrel
