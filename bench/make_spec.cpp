// Writes a valid driver specification file with many models, for the benchmarks:
//   make_spec N OUT.xml
// The N models are spread over the three kinds in turn, in drivers of up to 500 models each;
// some models carry the optional sections (operations, configuration, goods, document), so the
// file is shaped like real ones.
#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr int kModelsPerDriver = 500;
constexpr std::string_view kKinds[] = {"Kasa fiskalna", "Waga etykietująca", "Drukarka fiskalna"};

void WriteOptionalSections(std::ostream& out, int model) {
    if (model % 4 == 0) {
        out << "        <Operacje>\n"
               "          <SprawdzeniePołączenia>tak</SprawdzeniePołączenia>\n"
               "          <PrzesyłanieTowarów>tak</PrzesyłanieTowarów>\n"
               "          <OdbiórSprzedaży usuwanie=\"true\"/>\n"
               "          <RaportFiskalny>dobowy</RaportFiskalny>\n"
               "        </Operacje>\n";
    }
    if (model % 10 == 0) {
        out << "        <Konfiguracja>\n"
               "          <Mapowanie rodzaj=\"VAT\" liczbaPozycji=\"3\" pierwszyId=\"1\">\n"
               "            <Pozycja><Id>1</Id><Nazwa>A 23%</Nazwa></Pozycja>\n"
               "            <Pozycja><Id>2</Id><Nazwa>B 8%</Nazwa></Pozycja>\n"
               "            <Pozycja><Id>3</Id><Nazwa>C 5%</Nazwa></Pozycja>\n"
               "          </Mapowanie>\n"
               "          <Mapowanie rodzaj=\"Jednostki miar\"/>\n"
               "        </Konfiguracja>\n";
    }
    if (model % 25 == 0) {
        out << "        <Towary rozdzielnośćKodówPLU=\"1\">\n"
               "          <Towar ident=\"KodPLU\">\n"
               "            <KodPLU min=\"1\" max=\"99999\"/>\n"
               "            <Nazwa długość=\"40\"/>\n"
               "            <Cena zerowa=\"false\" max=\"99999.99\"/>\n"
               "            <OkresWażności/>\n"
               "          </Towar>\n"
               "          <ZmianaCenTowarów><Cena/><OkresWazności/></ZmianaCenTowarów>\n"
               "        </Towary>\n";
    }
    if (model % 50 == 0) {
        out << "        <Dokument>\n"
               "          <Nagłówek><Numer/><DataSprzedaży/><Płatnik/></Nagłówek>\n"
               "          <Pozycja><Nazwa/><Ilość/><CenaBrutto/></Pozycja>\n"
               "        </Dokument>\n";
    }
}

void WriteDriver(std::ostream& out, std::string_view kind, int driver, int firstModel, int count) {
    out << "  <Sterownik typ=\"" << kind << "\">\n"
        << "    <Nazwa>Sterownik " << driver << "</Nazwa>\n"
        << "    <Producent>Zakład Łączności " << driver % 7 << "</Producent>\n"
        << "    <Wersja>" << driver % 9 + 1 << "</Wersja>\n"
        << "    <PlikExe>sterownik" << driver << ".dll</PlikExe>\n";
    if (driver % 2 == 0) {
        out << "    <WWW>https://sterowniki.example/" << driver << "</WWW>\n";
    }
    out << "    <Modele>\n";
    for (int i = 0; i < count; ++i) {
        const int model = firstModel + i;
        out << "      <Model id=\"" << model << "\">\n"
            << "        <Nazwa>Model Żółw " << model << "</Nazwa>\n"
            << "        <Producent>Wytwórnia " << model % 13 << "</Producent>\n";
        WriteOptionalSections(out, model);
        out << "      </Model>\n";
    }
    out << "    </Modele>\n  </Sterownik>\n";
}

}  // namespace

int main(int argc, char** argv) {
    int models = 0;
    if (argc != 3 ||
        std::from_chars(argv[1], argv[1] + std::string_view(argv[1]).size(), models).ec !=
            std::errc{} ||
        models < 1) {
        std::cerr << "Użycie: make_spec LICZBA_MODELI PLIK.xml\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Sterowniki xmlns=\"http://www.pantrel.pl/UF/Sterowniki.xsd\" wersja=\"1.0\">\n";
    // Each kind takes a driver in turn, so the kinds' models interleave through the file.
    int written = 0;
    for (int driver = 0; written < models; ++driver) {
        const int count = std::min(kModelsPerDriver, models - written);
        WriteDriver(out, kKinds[driver % 3], driver, written, count);
        written += count;
    }
    out << "</Sterowniki>\n";
    out.close();
    if (!out) {
        std::cerr << "Nie można zapisać pliku " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
