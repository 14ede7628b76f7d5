// One load of a specification file as install and uninstall do it: the embedded schema
// compiled, the file parsed and validated, then the models of the three kinds selected.
//   load_bench FILE
// Prints the number of models selected; a file that does not load ends with status 1.
#include <iostream>
#include <string>

#include "loader/model_queries.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"

namespace {

class StandardErrorSink : public pantrel::MessageSink {
public:
    void ShowError(const std::string& text) override { std::cerr << text << '\n'; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Użycie: load_bench PLIK.xml\n";
        return 1;
    }
    StandardErrorSink sink;
    pantrel::DocumentHolder document;
    if (pantrel::LoadSpecification(document, argv[1], pantrel::SCHEMA_RESOURCE_ID,
                                   pantrel::SPECIFICATION_NAMESPACE, sink) < 0) {
        return 1;
    }
    std::size_t selected = 0;
    pantrel::ModelList models;
    for (const pantrel::DeviceKind kind :
         {pantrel::DeviceKind::CashRegister, pantrel::DeviceKind::LabelScale,
          pantrel::DeviceKind::FiscalPrinter}) {
        if (!pantrel::SelectModels(document, models, kind)) {
            return 1;
        }
        selected += models.size();
    }
    std::cout << selected << '\n';
    return 0;
}
