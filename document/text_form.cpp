// The text form of a score: an 8-bit, line-based description of a document
// that File > Export > ASCII writes, the first reported error appends to the
// session log, and a ".txt" path loads back.  Only the configuration and the
// object lines are read; the class table, the editing state, the undo list
// and the font table are there for the person reading a report.
//
// The whole text is composed in memory and handed over in one piece: the
// session log opens and closes its file around every entry, so a line-by-line
// dump of a large score would cost a file open per line, and a report cut off
// halfway through would be an entry that does not load.
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>

#include "document/commands.h"
#include "document/document_root.h"
#include "document/registry.h"
#include "document/undo_list.h"
#include "foundation/ascii_file.h"
#include "foundation/debug_log.h"
#include "foundation/escaped_text.h"
#include "foundation/path_names.h"
#include "foundation/replacing_file_stream.h"
#include "foundation/system_services.h"
#include "foundation/text_util.h"
#include "midi/midi_devices.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "ui/font_table.h"
#include "ui/view_port.h"

namespace {

constexpr char kTitle[] = "Pelmora Music File Oct 12 2013";
// Text forms of older programs wrote their strings in a code page; they are
// not read.
constexpr uint32_t kFirstTextVersion = 0x20A0200;

// Text of the system (its information, device descriptions) is never read
// back: it goes in as the log writes its own lines, in the code page, and
// ends with a line end whether or not it brought one.
void WriteSystemText(std::ostream &out, const char16_t *text) {
    std::string bytes = System() ? std::string(System()->ToAnsiText(text)) : NarrowAscii(text ? text : u"");
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    if (bytes.empty() || bytes.back() != '\n') bytes.push_back('\n');
    out << bytes;
}

void WriteConfiguration(std::ostream &out, const PointWindowObject &doc) {
    out << kTitle << '\n';
    out << "[config]\n";
    out << "Filename " << EscapeStringText(doc.GetFileName()) << '\n';
    out << "Version " << NarrowAscii(gProgramStatus.GetVersionText()) << '\n';
    WriteSystemText(out, gOpSys ? gOpSys->GetSystemInfo() : u"");
    if (gOutputWindow) WriteSystemText(out, gOutputWindow->Describe());
    WriteSystemText(out, GetMidiDeviceReport());
}

// One line per class id: name, id, image kind and class defaults, or "None".
void WriteClassTable(std::ostream &out) {
    out << "[symbols] " << int32_t(gLastClassId) - gFirstClassId + 1 << '\n';
    for (int32_t id = gFirstClassId; id <= gLastClassId; ++id) {
        cPObjPoint *prototype = cPObjBase::PrototypeById(int16_t(id));
        if (!prototype) {
            out << "None\n";
            continue;
        }
        out << '"' << NarrowAscii(prototype->GetTypeName()) << "\", " << id << ", ";
        prototype->ExportImageKind(out);
        prototype->ExportClassData(out);
        out << '\n';
    }
}

// Debug mode only: what is selected, focused and under the mouse, and the
// undo list.
void WriteEditState(std::ostream &out, PointWindowObject &doc) {
    out << "[status]\n";
    out << "Objects: " << gLiveSymbolCount << ", " << doc.CountDescendants() << '\n';
    const struct {
        const char *label;
        const cPObjBase *object;
    } refs[] = {{"Hilight: ", gSelectedObject}, {"Focus: ", gFocusObject}, {"Mouse: ", gHoverObject}};
    for (const auto &ref : refs) {
        out << ref.label;
        cPObjBase::WriteObjectRef(out, ref.object);
        out << '\n';
    }
    out << "[undo] " << (gPointUndo ? gPointUndo->GetRecordCount() : 0) << '\n';
    if (gPointUndo) gPointUndo->Dump(out);
}

void ComposeText(PointWindowObject &doc, sCommandMask *mask, std::ostringstream &out) {
    WriteConfiguration(out, doc);
    WriteClassTable(out);
    if (gProgramStatus.IsDebugMode()) WriteEditState(out, doc);
    out << "[file]\n";
    // The command's answer only says whether objects were addressed (an
    // owner without children answers "not handled"): what counts is that
    // the text arrives.
    cPObjBase::sCmdExpAsc record(&out);
    cPObjBase::SendCommand(&doc, kCmdExportText, mask, &record, nullptr);
    cFontTable::DumpAll(out);
}

}  // namespace

// ---- Writing -------------------------------------------------------------------

tStatus PointWindowObject::WriteText(PointWindowObject *document, cDebugLog *log, sCommandMask *mask) {
    if (!document || !log) return kFailed;
    std::ostringstream text;
    ComposeText(*document, mask, text);
    // The text ends with its own line end: the entry adds none.
    return log->WriteNarrowStream(text, 0) < 0 ? kFailed : 0;
}

tStatus PointWindowObject::ExportTextFile(const char16_t *path, sCommandMask *mask) {
    if (!path || !*path) return RC_FAIL;
    std::ostringstream composed;
    ComposeText(*this, mask, composed);
    const std::string text = composed.str();
    cReplacingFileStream out(path);
    if (!out.is_open()) return RC_FAIL;
    // The same bytes as the dump in the log: lines end in CR LF.
    std::string bytes;
    bytes.reserve(text.size() + size_t(std::count(text.begin(), text.end(), '\n')));
    for (char c : text) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return out.Close();
}

tStatus PointWindowObject::WriteDiagnosticReport() {
    if (!gCurrentDocument || !gOpSys) return kFailed;
    return WriteText(gCurrentDocument, &gOpSys->Log(), nullptr);
}

void PointWindowObject::OnFirstReportedError() { WriteDiagnosticReport(); }

// ---- Reading -------------------------------------------------------------------

tStatus cPObjBase::ImportTextFile(cPObjBase *object, cAsciiFile *reader, sCommandMask *mask) {
    if (!object || !reader) return kFailed;
    sCmdImpAsc record(reader);
    // The class name that opens the line: the object is of its class already.
    reader->ReadToken();
    const tStatus result = SendCommand(object, kCmdImportText, mask, &record, nullptr);
    return std::min(result, reader->GetErrorLatch());
}

tStatus PointWindowObject::ReadTextForm(cAsciiFile &reader) {
    // A log holds a dump after every first error of a session: the last
    // configuration is the newest document.
    if (reader.SeekKeywordText(u"[config]") != 0 || reader.SeekKeyword(u"Version") != 0) return kFailed;
    uint32_t version = 0;
    ParseVersionText(&version, reader.ReadToken());
    if (reader.GetErrorLatch() < 0 || MaskVersion(version) < kFirstTextVersion) return kFailed;
    if (reader.SeekKeyword(u"[file]") != 0) return kFailed;
    // Only a file taken for ours says how files are to be read and written.
    gFileVersion = version;
    return ImportTextFile(this, &reader, nullptr);
}

tStatus PointWindowObject::LoadText(cAsciiFile &reader, const char16_t *path) {
    // Saved, the document is a score file beside the text it came from.
    std::u16string name(path ? path : u"");
    if (path) SetExtension(name, u"pmr");
    PointWindowObject *const current = BeginLoad(path ? name.c_str() : nullptr);
    tStatus result = ReadTextForm(reader);
    if (result < 0) {
        if (cGraphDvc *w = Window()) w->ShowMessage(u"This is not a valid Pelmora file.", u"File Error!");
        result = kFailed;
    }
    return EndLoad(result, 2, current);
}
