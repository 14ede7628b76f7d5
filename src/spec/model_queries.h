#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kinds/device_kind.h"
#include "spec/specification_loader.h"

namespace pantrel {

// A node of a loaded document; keeps its document alive.
class NodeHolder;  // defined by the spec module
using ModelNode = NodeHolder;
// The Model elements of one selection, in document order.
using ModelList = std::vector<NodeHolder>;

// Selects the Model elements of the drivers of `kind` (and, when `producer` is given and not
// empty, of that driver producer). False, with `models` unchanged, when there is no document,
// no Sterowniki element, or the query fails.
bool SelectModels(const DocumentHolder& document, ModelList& models, DeviceKind kind,
                  const std::string* producer = nullptr);

// The text of the model's Nazwa child.
bool ReadModelName(const ModelNode& model, std::string& name);

// The text of the Producent child of the driver that declares the model.
bool ReadDriverProducer(const ModelNode& model, std::string& producer);

// The text of the first node the relative XPath `childQuery` selects from `node`.
bool ReadChildText(const NodeHolder& node, std::string_view childQuery, std::string& text);

}  // namespace pantrel
