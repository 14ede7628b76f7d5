#include "loader/record_builder.h"

#include <libxml/SAX2.h>

#include <new>

#include "loader/libxml_handles.h"

namespace pantrel {
namespace {

// Names and producers are at most 50 characters in a valid file; text beyond this cannot belong
// to a file that loads, so it is not kept.
constexpr std::size_t kLongestKeptText = 4096;

std::string_view View(const xmlChar* text) {
    return text != nullptr ? std::string_view(AsChars(text)) : std::string_view{};
}

RecordBuilder& BuilderOf(void* context) {
    return *static_cast<RecordBuilder*>(static_cast<xmlParserCtxt*>(context)->_private);
}

}  // namespace

RecordBuilder::RecordBuilder(std::string_view specificationNamespace)
    : namespace_(specificationNamespace) {}

void RecordBuilder::Install(xmlSAXHandler& sax) {
    sax.startElementNs = OnStart;
    sax.endElementNs = OnEnd;
    sax.characters = OnText;
    sax.cdataBlock = OnText;
    // The same handler for blanks, so the parser hands every text over as it stands.
    sax.ignorableWhitespace = OnText;
    sax.reference = nullptr;
    sax.comment = nullptr;
    sax.processingInstruction = nullptr;
}

void RecordBuilder::OnStart(void* context, const xmlChar* localName, const xmlChar* /*prefix*/,
                            const xmlChar* uri, int /*namespaceCount*/,
                            const xmlChar** /*namespaces*/, int attributeCount, int defaultedCount,
                            const xmlChar** attributes) {
    BuilderOf(context).Start(*static_cast<xmlParserCtxt*>(context), View(localName), View(uri),
                             attributeCount, defaultedCount, attributes);
}

void RecordBuilder::OnEnd(void* context, const xmlChar* /*localName*/, const xmlChar* /*prefix*/,
                          const xmlChar* /*uri*/) {
    BuilderOf(context).End();
}

void RecordBuilder::OnText(void* context, const xmlChar* text, int length) {
    if (text != nullptr && length > 0) {
        BuilderOf(context).Text(std::string_view(AsChars(text), static_cast<std::size_t>(length)));
    }
}

RecordBuilder::Role RecordBuilder::ChildRole(Role parent, std::string_view name,
                                             std::string_view uri) const {
    if (uri != namespace_) {
        return Role::Other;
    }
    switch (parent) {
        case Role::Document:
            return name == "Sterowniki" ? Role::Drivers : Role::Other;
        case Role::Drivers:
            return name == "Sterownik" ? Role::Driver : Role::Other;
        case Role::Driver:
            return name == "Producent" ? Role::DriverProducer
                   : name == "Modele"  ? Role::Models
                                       : Role::Other;
        case Role::Models:
            return name == "Model" ? Role::Model : Role::Other;
        case Role::Model:
            return name == "Nazwa" ? Role::ModelName : Role::Other;
        default:
            return Role::Other;
    }
}

void RecordBuilder::Start(xmlParserCtxt& parser, std::string_view name, std::string_view uri,
                          int attributeCount, int defaultedCount, const xmlChar** attributes) {
    if (defaultedCount > 0 && dtdDefaultedLine_ == 0) {
        dtdDefaultedLine_ = xmlSAX2GetLineNumber(&parser);
        dtdDefaultedLine_ = dtdDefaultedLine_ > 0 ? dtdDefaultedLine_ : 1;
    }
    const Role parent = depth_ == 0               ? Role::Document
                        : depth_ <= kTrackedDepth ? roles_[depth_ - 1]
                                                  : Role::Other;
    const Role role = ChildRole(parent, name, uri);
    if (depth_ < kTrackedDepth) {
        roles_[depth_] = role;
    }
    ++depth_;
    if (failed_) {
        return;
    }
    try {
        switch (role) {
            case Role::Driver: {
                std::string kind;
                // Five pointers per attribute: local name, prefix, URI, value start, value end.
                for (int i = 0; i < attributeCount; ++i) {
                    const xmlChar* const* attribute = attributes + 5 * i;
                    if (View(attribute[0]) == "typ" && attribute[2] == nullptr) {
                        kind.assign(AsChars(attribute[3]), AsChars(attribute[4]));
                    }
                }
                failed_ = !records_.AddDriver(std::move(kind));
                producerSeen_ = false;
                break;
            }
            case Role::DriverProducer:
                BeginCapture(role, producerSeen_);
                break;
            case Role::Model:
                failed_ = !records_.AddModel();
                nameSeen_ = false;
                break;
            case Role::ModelName:
                BeginCapture(role, nameSeen_);
                break;
            default:
                break;
        }
    } catch (const std::bad_alloc&) {
        failed_ = true;
    }
}

void RecordBuilder::BeginCapture(Role role, bool& seen) {
    // Only the first such child counts, as the first node a query selects.
    if (!seen) {
        seen = true;
        capturing_ = role;
        captureDepth_ = depth_;
        captured_ = 0;
    }
}

void RecordBuilder::End() {
    if (depth_ == 0) {
        return;
    }
    if (capturing_ != Role::Other && depth_ == captureDepth_) {
        capturing_ = Role::Other;
    }
    --depth_;
}

void RecordBuilder::Text(std::string_view text) {
    if (capturing_ == Role::Other || failed_ || captured_ >= kLongestKeptText) {
        return;
    }
    text = text.substr(0, kLongestKeptText - captured_);
    captured_ += text.size();
    try {
        if (capturing_ == Role::ModelName) {
            records_.AppendToLastName(text);
        } else {
            records_.LastDriver().producer.append(text);
        }
    } catch (const std::bad_alloc&) {
        failed_ = true;
    }
}

}  // namespace pantrel
