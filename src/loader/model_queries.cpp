#include "loader/model_queries.h"

#include <utility>

#include "loader/specification_document.h"

namespace pantrel {
namespace {

// The model's record; null for an empty holder or one that names no model of its document.
const ModelRecord* RecordOf(const NodeHolder& node) {
    if (node.empty()) {
        return nullptr;
    }
    const std::vector<ModelRecord>& models = node.document()->records().models();
    return node.model() < models.size() ? &models[node.model()] : nullptr;
}

}  // namespace

bool SelectModels(const DocumentHolder& document, ModelList& models, DeviceKind kind,
                  const std::string* producer) {
    if (!document) {
        return false;
    }
    const std::string noun =
        KindNoun(kind, GrammaticalCase::Nominative, false, LetterCase::FirstUpper);
    const bool byProducer = producer != nullptr && !producer->empty();
    const SpecificationRecords& records = document->records();
    ModelList selected;
    // A kind without a noun names no driver.
    if (!noun.empty()) {
        const std::vector<ModelRecord>& all = records.models();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const DriverRecord& driver = records.DriverOf(all[i]);
            if (driver.kind == noun && (!byProducer || driver.producer == *producer)) {
                selected.emplace_back(document, i);
            }
        }
    }
    models = std::move(selected);
    return true;
}

bool ReadChildText(const NodeHolder& node, std::string_view childQuery, std::string& text) {
    const ModelRecord* const model = RecordOf(node);
    if (model == nullptr) {
        return false;
    }
    if (childQuery != "Zelvar:Nazwa" && childQuery != "child::Zelvar:Nazwa") {
        throw ParserError(E_FAIL_STATUS);
    }
    text.assign(node.document()->records().Name(*model));
    return true;
}

bool ReadModelName(const ModelNode& model, std::string& name) {
    return ReadChildText(model, "Zelvar:Nazwa", name);
}

bool ReadDriverProducer(const ModelNode& model, std::string& producer) {
    const ModelRecord* const record = RecordOf(model);
    if (record == nullptr) {
        throw ParserError(E_POINTER_STATUS);
    }
    producer.assign(model.document()->records().DriverOf(*record).producer);
    return true;
}

}  // namespace pantrel
