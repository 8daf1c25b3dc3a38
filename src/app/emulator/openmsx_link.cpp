#include "app/emulator/openmsx_link.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "storage/utf8_path.h"

namespace {
std::string EscapeXml(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

std::string UnescapeXml(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t end = text[i] == '&' ? text.find(';', i) : std::string::npos;
    if (end == std::string::npos) {
      out += text[i];
      continue;
    }
    const std::string name = text.substr(i + 1, end - i - 1);
    if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (name.size() > 2 && name[0] == '#' && name[1] == 'x')
      out += char(std::stoi(name.substr(2), nullptr, 16));
    else if (name.size() > 1 && name[0] == '#')
      out += char(std::stoi(name.substr(1)));
    else
      out += text.substr(i, end - i + 1);
    i = end;
  }
  return out;
}

// The text between the first '>' and the last '<' of a one-line element.
std::string ElementText(const std::string& line) {
  const std::size_t open = line.find('>'), close = line.rfind('<');
  return open == std::string::npos || close == std::string::npos || close < open
             ? std::string()
             : UnescapeXml(line.substr(open + 1, close - open - 1));
}

// Takes each whole line received; the replies among them count down `awaiting`,
// the last one is kept in `reply`.
void TakeLines(OpenMsxLink& link, TclReply* reply) {
  std::size_t start = 0, end;
  while ((end = link.received.find('\n', start)) != std::string::npos) {
    const std::string line = link.received.substr(start, end - start);
    start = end + 1;
    if (line.rfind("<reply", 0) == 0) {
      --link.awaiting;
      const bool ok = line.find("result=\"ok\"") != std::string::npos;
      link.lastReply = ElementText(line);
      if (!ok) link.lastError = link.lastReply;
      if (reply) *reply = {ok, link.lastReply};
    } else if (line.rfind("<log level=\"error\"", 0) == 0) {
      link.lastError = ElementText(line);
    }
  }
  link.received.erase(0, start);
}
}  // namespace

std::string configuredOpenMsx;

std::string FindOpenMsx(const std::string& configured) {
  std::error_code error;
  if (!configured.empty() && std::filesystem::is_regular_file(Utf8Path(configured), error)) return configured;
  if (std::string found = FindProgram("openmsx"); !found.empty()) return found;
  for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)"}) {  // set on Windows only
    const char* folder = std::getenv(variable);
    const std::filesystem::path installed = Utf8Path(folder ? folder : "") / "openMSX" / "openmsx.exe";
    if (folder && std::filesystem::is_regular_file(installed, error)) return Utf8Text(installed);
  }
  return {};
}

const char* OpenMsxMachine(Machine machine, PaletteId palette) {
  if (machine != Machine::Msx1) return "Sega_SG-1000";
  return palette == PaletteId::V9938 ? "C-BIOS_MSX2" : "C-BIOS_MSX1";
}

bool StartOpenMsx(OpenMsxLink& link, const std::string& rom, Machine machine, std::string& error, PaletteId palette) {
  const std::string program = FindOpenMsx(configuredOpenMsx);
  if (program.empty()) return error = kOpenMsxMissing, false;
  link = OpenMsxLink{};
  // The loaders map the cartridge where each machine expects it: no guessing
  // from its contents. An MSX1 cartridge over 32 KB is a Play Map megaROM.
  std::error_code unknown;
  const bool mega = std::filesystem::file_size(Utf8Path(rom), unknown) > kCartridgeLimit && !unknown;
  const char* romType = machine == Machine::Msx1 ? (mega ? "ASCII8" : "Normal") : "Page012";
  if (!StartChild(
          link.process,
          {program, "-machine", OpenMsxMachine(machine, palette), "-cart", rom, "-romtype", romType, "-control", "stdio"},
          error))
    return false;
  TclReply reply;
  if (WriteToChild(link.process, "<openmsx-control>\n") && AskTcl(link, "set renderer SDLGL-PP", reply, 20000) &&
      reply.ok && AskTcl(link, "set power on", reply, 20000) && reply.ok)
    return true;
  error = "openMSX did not start the " + std::string(OpenMsxMachine(machine, palette)) + " machine" +
          (link.lastError.empty() ? "" : ": " + link.lastError) +
          " (Debian's packages openmsx and cbios provide it and its system ROMs)";
  StopOpenMsx(link);
  return false;
}

bool SendTcl(OpenMsxLink& link, const std::string& tcl) {
  if (!WriteToChild(link.process, "<command>" + EscapeXml(tcl) + "</command>\n")) return false;
  ++link.awaiting;
  return true;
}

bool AskTcl(OpenMsxLink& link, const std::string& tcl, TclReply& reply, int timeoutMs) {
  if (!SendTcl(link, tcl)) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (link.awaiting > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    const bool open = ReadFromChild(link.process, link.received, static_cast<int>(left));
    TakeLines(link, &reply);
    if (!open && link.awaiting > 0) return false;
  }
  return true;
}

bool TakeReplies(OpenMsxLink& link) {
  const bool open = ReadFromChild(link.process, link.received, 0);
  TakeLines(link, nullptr);
  return open && ChildRunning(link.process);
}

void StopOpenMsx(OpenMsxLink& link) {
  if (link.process.pid >= 0) {
    WriteToChild(link.process, "<command>exit</command>\n");
    StopChild(link.process, 2000);
  }
  link = OpenMsxLink{};
}

std::string TclBytes(const char* bytes, std::size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string tcl = "[binary decode hex ";
  for (std::size_t i = 0; i < count; ++i) {
    tcl += kDigits[uint8_t(bytes[i]) >> 4];
    tcl += kDigits[uint8_t(bytes[i]) & 15];
  }
  return tcl + "]";
}

std::string BytesFromHex(const std::string& hex) {
  const auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  std::string bytes(hex.size() / 2, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(nibble(hex[2 * i]) << 4 | nibble(hex[2 * i + 1]));
  return bytes;
}
