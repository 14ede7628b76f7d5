// Driver files written by tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pantrel::testing_support {

// One driver of a specification file written by a test: its kind as the file names it
// ("Kasa fiskalna", "Drukarka fiskalna", "Waga etykietująca"), its producer and model names.
struct DriverOfFile {
    std::string typ;
    std::string producer;
    std::vector<std::string> models;
};

// Writes a valid specification file (UTF-8) declaring the drivers.
inline void WriteSpecification(const std::filesystem::path& file,
                               const std::vector<DriverOfFile>& drivers) {
    std::ofstream out(file, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Sterowniki xmlns=\"http://www.pantrel.pl/UF/Sterowniki.xsd\" wersja=\"1\">\n";
    for (const DriverOfFile& driver : drivers) {
        out << "  <Sterownik typ=\"" << driver.typ << "\">\n"
            << "    <Nazwa>Sterownik</Nazwa>\n"
            << "    <Producent>" << driver.producer << "</Producent>\n"
            << "    <Wersja>1</Wersja>\n"
            << "    <PlikExe>s.dll</PlikExe>\n"
            << "    <Modele>\n";
        for (const std::string& model : driver.models) {
            out << "      <Model><Nazwa>" << model << "</Nazwa><Producent>" << driver.producer
                << "</Producent></Model>\n";
        }
        out << "    </Modele>\n  </Sterownik>\n";
    }
    out << "</Sterowniki>\n";
}

}  // namespace pantrel::testing_support
