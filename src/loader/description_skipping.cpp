#include "loader/description_skipping.h"

#include <libxml/parserInternals.h>

#include <cstddef>

#include "loader/libxml_handles.h"

namespace pantrel {

namespace {

// Text that the tree builder would join into one node up to libxml2's limit of ten million
// bytes; a text left out that grows past this is read again with the whole tree long before.
constexpr std::size_t kLongestTextLeftOut = std::size_t{1} << 20;

bool Is(const xmlChar* name, const char* expected) {
    return name != nullptr && xmlStrEqual(name, AsXmlChars(expected)) != 0;
}

// Whether the attributes (five pointers each: local name, prefix, URI, value, value's end)
// include an xml:id, which the tree builder registers for the document and checks.
bool HasXmlId(int attributeCount, const xmlChar** attributes) {
    for (int i = 0; i < attributeCount; ++i) {
        if (Is(attributes[i * 5 + 1], "xml") && Is(attributes[i * 5], "id")) {
            return true;
        }
    }
    return false;
}

}  // namespace

struct DescriptionSkipping::StandIn {
    xmlNode node{};
    std::size_t textLength = 0;  // of the text or CDATA the last child would hold
};

DescriptionSkipping::DescriptionSkipping(xmlParserCtxt& parser,
                                         std::string_view specificationNamespace)
    : parser_(parser),
      namespace_(specificationNamespace),
      previousPrivate_(parser._private),
      builder_(*parser.sax) {
    textMark_.type = XML_TEXT_NODE;
    cdataMark_.type = XML_CDATA_SECTION_NODE;
    otherMark_.type = XML_COMMENT_NODE;
    parser._private = this;
    xmlSAXHandler& sax = *parser.sax;
    sax.startElementNs = OnStartElement;
    sax.endElementNs = OnEndElement;
    sax.characters = OnCharacters;
    sax.cdataBlock = OnCData;
    sax.comment = OnComment;
    sax.processingInstruction = OnProcessingInstruction;
}

DescriptionSkipping::~DescriptionSkipping() {
    *parser_.sax = builder_;
    parser_._private = previousPrivate_;
}

DescriptionSkipping& DescriptionSkipping::Of(void* parser) {
    return *static_cast<DescriptionSkipping*>(static_cast<xmlParserCtxt*>(parser)->_private);
}

bool DescriptionSkipping::InSpecification(const xmlChar* uri) const {
    return uri != nullptr && std::string_view{AsChars(uri)} == namespace_;
}

DescriptionSkipping::Role DescriptionSkipping::RoleOf(const xmlChar* localName,
                                                      const xmlChar* uri) const {
    if (!InSpecification(uri)) {
        return Role::Other;
    }
    if (kept_.empty()) {
        return Is(localName, "Sterowniki") ? Role::Root : Role::Other;
    }
    switch (kept_.back()) {
        case Role::Root:
            return Is(localName, "Sterownik") ? Role::Driver : Role::Other;
        case Role::Driver:
            return Is(localName, "Modele") ? Role::Models : Role::Other;
        case Role::Models:
            return Is(localName, "Model") ? Role::Model : Role::Other;
        default:
            return Role::Other;
    }
}

bool DescriptionSkipping::SkipsChild(const xmlChar* localName, const xmlChar* uri) const {
    if (!active_ || kept_.empty() || kept_.back() != Role::Model) {
        return false;
    }
    if (InSpecification(uri) && (Is(localName, "Nazwa") || Is(localName, "Producent"))) {
        return false;
    }
    // The model must hold elements only, its last child an element: then the child left out
    // changes nothing the parser later asks of the model (is its first or last child text, may
    // text be joined to its last child), as it is an element in the whole tree.
    const xmlNode* const model = parser_.node;
    return model != nullptr && model->children != nullptr &&
           model->children->type != XML_TEXT_NODE && model->last->type == XML_ELEMENT_NODE;
}

void DescriptionSkipping::GiveUp() {
    gaveUp_ = true;
    // No more events, for us or the validator. xmlStopParser would free the input buffer that
    // the event being handled points into, which the validator reads after us.
    parser_.disableSAX = 1;
}

void DescriptionSkipping::StartSkipped(const xmlChar* localName, int attributeCount,
                                       const xmlChar** attributes) {
    if (HasXmlId(attributeCount, attributes)) {
        GiveUp();
        return;
    }
    if (standIns_.size() <= skippedDepth_) {
        standIns_.push_back(std::make_unique<StandIn>());
    }
    StandIn& standIn = *standIns_[skippedDepth_];
    standIn = StandIn{};
    standIn.node.type = XML_ELEMENT_NODE;
    standIn.node.name = localName;
    // The parser's depth limit holds for the elements left out as for the others.
    if (nodePush(&parser_, &standIn.node) < 0) {
        return;
    }
    parser_.nodemem = -1;  // as the tree builder leaves it after an element's start
    ++skippedDepth_;
    skipped_ = true;
}

void DescriptionSkipping::AddText(xmlElementType type, int length) {
    StandIn& standIn = *standIns_[skippedDepth_ - 1];
    xmlNode* const mark = type == XML_TEXT_NODE ? &textMark_ : &cdataMark_;
    const auto added = static_cast<std::size_t>(length);
    if (standIn.node.last == mark) {
        standIn.textLength += added;  // the tree builder joins it to the last node
    } else {
        standIn.textLength = added;
        if (standIn.node.children == nullptr) {
            standIn.node.children = mark;
        }
        standIn.node.last = mark;
    }
    if (standIn.textLength > kLongestTextLeftOut) {
        GiveUp();
    }
}

void DescriptionSkipping::AddOther() {
    xmlNode& node = standIns_[skippedDepth_ - 1]->node;
    if (node.children == nullptr) {
        node.children = &otherMark_;
    }
    node.last = &otherMark_;
}

void DescriptionSkipping::OnStartElement(void* parser, const xmlChar* localName,
                                         const xmlChar* prefix, const xmlChar* uri,
                                         int namespaceCount, const xmlChar** namespaces,
                                         int attributeCount, int defaultedCount,
                                         const xmlChar** attributes) {
    DescriptionSkipping& self = Of(parser);
    if (self.gaveUp_) {
        return;
    }
    if (self.skippedDepth_ > 0) {
        self.AddOther();
        self.StartSkipped(localName, attributeCount, attributes);
        return;
    }
    if (!self.decided_) {
        // A document type declaration comes before the document element.
        const xmlDoc* const document = self.parser_.myDoc;
        self.decided_ = true;
        self.active_ =
            document != nullptr && document->intSubset == nullptr && document->extSubset == nullptr;
    }
    if (self.SkipsChild(localName, uri)) {
        self.StartSkipped(localName, attributeCount, attributes);
        return;
    }
    const Role role = self.RoleOf(localName, uri);
    if (self.active_ && role == Role::Model && !HasXmlId(attributeCount, attributes)) {
        // Nothing reads a model's own attributes either.
        attributeCount = 0;
        defaultedCount = 0;
    }
    self.builder_.startElementNs(parser, localName, prefix, uri, namespaceCount, namespaces,
                                 attributeCount, defaultedCount, attributes);
    self.kept_.push_back(role);
}

void DescriptionSkipping::OnEndElement(void* parser, const xmlChar* localName,
                                       const xmlChar* prefix, const xmlChar* uri) {
    DescriptionSkipping& self = Of(parser);
    if (self.gaveUp_) {
        return;
    }
    if (self.skippedDepth_ > 0) {
        nodePop(&self.parser_);
        self.parser_.nodemem = -1;  // as the tree builder leaves it after an element's end
        --self.skippedDepth_;
        return;
    }
    self.builder_.endElementNs(parser, localName, prefix, uri);
    if (!self.kept_.empty()) {
        self.kept_.pop_back();
    }
}

void DescriptionSkipping::Text(void* parser, xmlElementType type, const xmlChar* text, int length) {
    if (skippedDepth_ > 0) {
        if (!gaveUp_) {
            AddText(type, length);
        }
        return;
    }
    const charactersSAXFunc forward =
        type == XML_TEXT_NODE ? builder_.characters : builder_.cdataBlock;
    if (forward != nullptr) {
        forward(parser, text, length);
    }
}

void DescriptionSkipping::OnCharacters(void* parser, const xmlChar* text, int length) {
    Of(parser).Text(parser, XML_TEXT_NODE, text, length);
}

void DescriptionSkipping::OnCData(void* parser, const xmlChar* text, int length) {
    Of(parser).Text(parser, XML_CDATA_SECTION_NODE, text, length);
}

void DescriptionSkipping::OnComment(void* parser, const xmlChar* text) {
    DescriptionSkipping& self = Of(parser);
    if (self.skippedDepth_ > 0) {
        self.AddOther();
        return;
    }
    if (self.builder_.comment != nullptr) {
        self.builder_.comment(parser, text);
    }
}

void DescriptionSkipping::OnProcessingInstruction(void* parser, const xmlChar* target,
                                                  const xmlChar* data) {
    DescriptionSkipping& self = Of(parser);
    if (self.skippedDepth_ > 0) {
        self.AddOther();
        return;
    }
    if (self.builder_.processingInstruction != nullptr) {
        self.builder_.processingInstruction(parser, target, data);
    }
}

}  // namespace pantrel
