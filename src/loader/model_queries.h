// Selecting the models of a loaded file and reading their names and producers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kinds/device_kind.h"
#include "loader/node_holder.h"
#include "loader/parser_error.h"
#include "loader/specification_loader.h"

namespace pantrel {

using ModelNode = NodeHolder;
// The Model elements of one selection, in document order.
using ModelList = std::vector<NodeHolder>;

// Selects the Model elements of the drivers of `kind` (and, when `producer` is given and not
// empty, of that driver producer). False, with `models` unchanged, when there is no document,
// no Sterowniki element, or the query fails.
bool SelectModels(const DocumentHolder& document, ModelList& models, DeviceKind kind,
                  const std::string* producer = nullptr);

// The text of the model's Nazwa child. Throws ParserError when the query itself fails.
bool ReadModelName(const ModelNode& model, std::string& name);

// The text of the Producent child of the driver that declares the model (never the model's own
// producer). Throws ParserError with E_POINTER_STATUS when the model node or its parent is
// missing, and with the parser's status when the query fails.
bool ReadDriverProducer(const ModelNode& model, std::string& producer);

// The text (UTF-8) of the first node, in document order, that the relative XPath `childQuery`
// selects from `node`. False with `text` untouched for an empty holder, false with `text`
// emptied when nothing matches. Throws ParserError when the query fails.
bool ReadChildText(const NodeHolder& node, std::string_view childQuery, std::string& text);

}  // namespace pantrel
