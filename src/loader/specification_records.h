// What install and uninstall read of a specification file: its drivers and models, in file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pantrel {

// One Sterownik element: its typ (the kind noun) and the text of its Producent child.
struct DriverRecord {
    std::string kind;
    std::string producer;
};

// One Model element of a driver's Modele. Its name lives in the records' shared name text, so a
// file of a million models costs one small record each, not a string each.
struct ModelRecord {
    std::size_t nameOffset = 0;
    std::uint32_t nameLength = 0;
    std::uint32_t driver = 0;  // index into the drivers
};

class SpecificationRecords {
public:
    // A new driver; the models added after it belong to it. False when the file holds more
    // drivers than a record can number.
    bool AddDriver(std::string kind);
    DriverRecord& LastDriver() { return drivers_.back(); }

    // A new model of the last driver, with an empty name for now; false when there is no driver.
    bool AddModel();
    // Appends to the last model's name.
    void AppendToLastName(std::string_view text);

    const std::vector<DriverRecord>& drivers() const noexcept { return drivers_; }
    const std::vector<ModelRecord>& models() const noexcept { return models_; }
    std::string_view Name(const ModelRecord& model) const noexcept {
        return std::string_view(names_).substr(model.nameOffset, model.nameLength);
    }
    const DriverRecord& DriverOf(const ModelRecord& model) const { return drivers_[model.driver]; }

private:
    std::vector<DriverRecord> drivers_;
    std::vector<ModelRecord> models_;
    std::string names_;
};

}  // namespace pantrel
