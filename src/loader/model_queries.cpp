#include "loader/model_queries.h"

#include <libxml/xpathInternals.h>

#include <utility>

#include "loader/child_element.h"
#include "loader/libxml_handles.h"
#include "loader/model_query_text.h"
#include "loader/specification_document.h"

namespace pantrel {
namespace {

bool HasNodes(const xmlXPathObject& result) {
    return result.type == XPATH_NODESET && result.nodesetval != nullptr &&
           result.nodesetval->nodeNr > 0;
}

// The first node, in document order, that the relative query selects from `node`; null when
// there is none. A plain child step, which install and uninstall ask for twice per model, is
// answered by walking the children; any other query goes to the XPath engine.
xmlNode* FirstSelected(const SpecificationDocument& document, xmlNode& node,
                       std::string_view query) {
    if (const std::string_view name = SingleChildStepName(query);
        !name.empty() && HasChildElements(node)) {
        return FirstChildElement(node, name, document.namespaceUri());
    }
    const XPathObjectPtr found = document.Evaluate(query, node);
    if (!HasNodes(*found)) {
        return nullptr;
    }
    xmlXPathNodeSetSort(found->nodesetval);
    return found->nodesetval->nodeTab[0];
}

// The text content of `node` into `text`; false when it cannot be read. An element holding one
// text node (a model's name, a producer) has that node's text; anything else is gathered by
// libxml2.
bool ReadContent(const xmlNode& node, std::string& text) {
    const xmlNode* const only = node.children;
    if (node.type == XML_ELEMENT_NODE && only != nullptr && only->next == nullptr &&
        only->type == XML_TEXT_NODE && only->content != nullptr) {
        text.assign(AsChars(only->content));
        return true;
    }
    const XmlStringPtr value(xmlNodeGetContent(&node));
    if (!value) {
        return false;
    }
    text.assign(AsChars(value.get()));
    return true;
}

bool ReadChildTextAt(const SpecificationDocument& document, xmlNode& node,
                     std::string_view childQuery, std::string& text) {
    const xmlNode* const found = FirstSelected(document, node, childQuery);
    if (found == nullptr) {
        text.clear();
        return false;
    }
    return ReadContent(*found, text);
}

}  // namespace

bool SelectModels(const DocumentHolder& document, ModelList& models, DeviceKind kind,
                  const std::string* producer) {
    if (!document) {
        return false;
    }
    try {
        xmlDoc& tree = document->tree();
        const XPathObjectPtr root =
            document->Evaluate("Zelvar:Sterowniki", *reinterpret_cast<xmlNode*>(&tree));
        if (!HasNodes(*root)) {
            return false;
        }
        const std::string noun =
            KindNoun(kind, GrammaticalCase::Nominative, false, LetterCase::FirstUpper);
        const std::string query =
            ModelQueryText(noun, producer != nullptr ? std::string_view{*producer} : "");
        const XPathObjectPtr found = document->Evaluate(query, *root->nodesetval->nodeTab[0]);
        ModelList selected;
        if (HasNodes(*found)) {
            xmlXPathNodeSetSort(found->nodesetval);
            selected.reserve(static_cast<std::size_t>(found->nodesetval->nodeNr));
            for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
                selected.emplace_back(document, found->nodesetval->nodeTab[i]);
            }
        }
        models = std::move(selected);
        return true;
    } catch (const ParserError&) {
        return false;
    }
}

bool ReadChildText(const NodeHolder& node, std::string_view childQuery, std::string& text) {
    if (node.empty()) {
        return false;
    }
    return ReadChildTextAt(*node.document(), *node.node(), childQuery, text);
}

bool ReadModelName(const ModelNode& model, std::string& name) {
    return ReadChildText(model, "Zelvar:Nazwa", name);
}

bool ReadDriverProducer(const ModelNode& model, std::string& producer) {
    if (model.empty() || model.node()->parent == nullptr) {
        throw ParserError(E_POINTER_STATUS);
    }
    xmlNode* const driver = model.node()->parent->parent;
    if (driver == nullptr) {
        return false;
    }
    return ReadChildTextAt(*model.document(), *driver, "Zelvar:Producent", producer);
}

}  // namespace pantrel
