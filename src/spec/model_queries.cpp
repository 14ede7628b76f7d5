#include "spec/model_queries.h"

#include <libxml/xpathInternals.h>

#include <utility>

#include "spec/child_element.h"
#include "spec/libxml_handles.h"
#include "spec/model_query_text.h"
#include "spec/specification_document.h"

namespace pantrel {
namespace {

bool HasNodes(const xmlXPathObject& result) {
    return result.type == XPATH_NODESET && result.nodesetval != nullptr &&
           result.nodesetval->nodeNr > 0;
}

// The first node, in document order, that the relative query selects from `node`; null when
// there is none. A plain child step, which install and uninstall ask for twice per model, is
// answered by walking the children; any other query goes to the XPath engine.
xmlNode* FirstSelected(const NodeHolder& node, std::string_view query) {
    const SpecificationDocument& document = *node.document();
    if (const std::string_view name = SingleChildStepName(query);
        !name.empty() && HasChildElements(*node.node())) {
        return FirstChildElement(*node.node(), name, document.namespaceUri());
    }
    const XPathObjectPtr found = document.Evaluate(query, *node.node());
    if (!HasNodes(*found)) {
        return nullptr;
    }
    xmlXPathNodeSetSort(found->nodesetval);
    return found->nodesetval->nodeTab[0];
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
    xmlNode* const found = FirstSelected(node, childQuery);
    if (found == nullptr) {
        text.clear();
        return false;
    }
    const XmlStringPtr value(xmlNodeGetContent(found));
    if (!value) {
        return false;
    }
    text.assign(AsChars(value.get()));
    return true;
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
    return ReadChildText(NodeHolder(model.document(), driver), "Zelvar:Producent", producer);
}

}  // namespace pantrel
