#include "xlsx_datei.h"

#include <ostream>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "cp1252.h"
#include "datei_ersetzen.h"
#include "xlsx_blatt.h"
#include "zip_archiv.h"

namespace pegel {

namespace {

// The parts of the workbook besides its sheet: the fewest a spreadsheet program needs.
constexpr std::string_view XmlKopf =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

constexpr std::string_view Inhaltstypen =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";

constexpr std::string_view PaketBeziehungen =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

constexpr std::string_view Mappe =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<bookViews><workbookView/></bookViews>"
    "<sheets><sheet name=\"Wertetabelle\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
    "</workbook>";

constexpr std::string_view MappenBeziehungen =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

// Cell formats 0 (default), XlsxStilFett and XlsxStilZeit, in this order.
constexpr std::string_view Stile =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"hh:mm:ss\"/></numFmts>"
    "<fonts count=\"2\">"
    "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "</fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"3\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
    "applyNumberFormat=\"1\"/>"
    "</cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

void Teil(ZipArchiv& zip, std::string_view name, std::string_view xml) {
  std::string inhalt(XmlKopf);
  inhalt += xml;
  zip.Eintrag(name, inhalt);
}

}  // namespace

ExportErgebnis WriteXLSX(const WerteTabelle& tabelle, const std::filesystem::path& datei) {
  const std::size_t zeilen = tabelle.Zeilen();
  const std::size_t spalten = tabelle.Spalten();
  if (zeilen > XlsxMaxZeilen || spalten > XlsxMaxSpalten) {
    return {false,
            "Die Tabelle hat " + TausenderText(zeilen) + " Zeilen und " + TausenderText(spalten) +
                Ansi(" Spalten; eine .xlsx-Datei fasst höchstens ") + TausenderText(XlsxMaxZeilen) +
                " Zeilen und " + TausenderText(XlsxMaxSpalten) +
                Ansi(" Spalten.\nBitte wählen Sie einen kürzeren Zeitraum.")};
  }
  std::error_code ec;
  try {
    ec = DateiSchreiben(datei, [&](std::ostream& f) {
      ZipArchiv zip(f);
      Teil(zip, "[Content_Types].xml", Inhaltstypen);
      Teil(zip, "_rels/.rels", PaketBeziehungen);
      Teil(zip, "xl/workbook.xml", Mappe);
      Teil(zip, "xl/_rels/workbook.xml.rels", MappenBeziehungen);
      Teil(zip, "xl/styles.xml", Stile);
      // The sheet last: it is by far the largest, and the parts before it keep their
      // offsets small.
      zip.Beginnen("xl/worksheets/sheet1.xml", XlsxBlattHoechstens(tabelle));
      XlsxBlattSchreiben(tabelle, zip);
      zip.Beenden();
      zip.Abschliessen();
    });
  } catch (const std::system_error& e) {
    ec = e.code();
  } catch (const std::logic_error& e) {
    return ExportFehler(datei, "Interner Fehler beim Schreiben: " + Utf8ZuCp1252(e.what()));
  } catch (const std::runtime_error& e) {
    return ExportFehler(datei, "Interner Fehler beim Packen: " + Utf8ZuCp1252(e.what()));
  }
  if (ec) return ExportFehler(datei, ec);
  return ExportGespeichert(datei);
}

}  // namespace pegel
