// The model queries of install and uninstall: the models of one kind, their names and producers.
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
// empty, of that driver producer), in file order, duplicates kept. False, with `models`
// unchanged, when there is no document.
bool SelectModels(const DocumentHolder& document, ModelList& models, DeviceKind kind,
                  const std::string* producer = nullptr);

// The text of the model's Nazwa child. False with `name` untouched for an empty holder.
bool ReadModelName(const ModelNode& model, std::string& name);

// The text of the Producent child of the driver that declares the model (never the model's own
// producer). Throws ParserError with E_POINTER_STATUS when the model is missing.
bool ReadDriverProducer(const ModelNode& model, std::string& producer);

// The text (UTF-8) of the child that `childQuery` names on a model. A loaded document keeps of
// each model its name only, so "Zelvar:Nazwa" (or "child::Zelvar:Nazwa") is the one query it
// answers; any other throws ParserError with E_FAIL_STATUS. False with `text` untouched for an
// empty holder.
bool ReadChildText(const NodeHolder& node, std::string_view childQuery, std::string& text);

}  // namespace pantrel
