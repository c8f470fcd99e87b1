#include "FontEngine.h"

#include "Font.h"
#include "FontMetrics.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>
#include <unordered_map>

namespace {

struct TFace {
  FT_Face Face = nullptr;
  hb_font_t* Hb = nullptr;
  FcCharSet* Charset = nullptr;
  std::string Family;
  int Weight = FC_WEIGHT_REGULAR;
  int Slant = FC_SLANT_ROMAN;
  FT_F26Dot6 CurrentSize = -1;
  // Line metrics in font units, as the platform's text metrics use them.
  int Ascent = 0;
  int Descent = 0;
  int AveWidth = 0;
  int StrikeOut = 0;

  bool Has(char32_t c) const { return Charset ? FcCharSetHasChar(Charset, c) : FT_Get_Char_Index(Face, c) != 0; }
};

struct TGlyphKey {
  const TFace* Face;
  FT_F26Dot6 Size;
  unsigned Glyph;
  bool Bold;
  bool Italic;
  bool operator==(const TGlyphKey&) const = default;
};

struct TGlyphKeyHash {
  std::size_t operator()(const TGlyphKey& k) const {
    std::size_t h = std::hash<const void*>()(k.Face);
    h = h * 1000003u ^ std::hash<long>()(k.Size);
    h = h * 1000003u ^ k.Glyph;
    return h * 4 + (k.Bold ? 2 : 0) + (k.Italic ? 1 : 0);
  }
};

// Decodes UTF-8; malformed bytes become U+FFFD so that nothing is dropped silently.
struct TCodepoint {
  char32_t Value;
  unsigned Offset;
  unsigned Length;
};

std::vector<TCodepoint> DecodeUtf8(std::string_view s) {
  std::vector<TCodepoint> out;
  std::size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t value = 0xFFFD;
    if (length == 0 || i + length > s.size()) {
      length = 1;
    } else {
      value = length == 1 ? b : (b & (0x7F >> length));
      for (int k = 1; k < length; ++k) {
        auto c = static_cast<unsigned char>(s[i + k]);
        if ((c >> 6) != 2) {
          value = 0xFFFD;
          length = k;
          break;
        }
        value = (value << 6) | (c & 0x3F);
      }
    }
    out.push_back({value, static_cast<unsigned>(i), static_cast<unsigned>(length)});
    i += length;
  }
  return out;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Looks for the configuration beside the platform library (the installation
// folder), unless KESR_FONTS_CONF names one.
std::string FindConfigFile() {
  if (const char* env = std::getenv("KESR_FONTS_CONF"); env && *env) return env;
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&TFontEngine::Instance), &info) && info.dli_fname) {
    auto candidate = std::filesystem::path(info.dli_fname).parent_path() / "fonts" / "fonts.conf";
    std::error_code ec;
    if (std::filesystem::exists(candidate, ec)) return candidate.string();
  }
  return {};
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

struct TFontEngine::TImpl {
  FT_Library Library = nullptr;
  FcConfig* Config = nullptr;
  std::string ConfigFile;
  std::map<std::pair<std::string, int>, std::unique_ptr<TFace>> Faces;
  std::map<std::tuple<std::string, bool, bool>, std::vector<TFace*>> Chains;
  std::unordered_map<TGlyphKey, std::unique_ptr<TGlyphImage>, TGlyphKeyHash> Glyphs;

  TImpl() {
    if (FT_Init_FreeType(&Library)) throw EFontError("The font rasteriser could not be started");
    ConfigFile = FindConfigFile();
    if (!ConfigFile.empty()) {
      Config = FcConfigCreate();
      if (!FcConfigParseAndLoad(Config, reinterpret_cast<const FcChar8*>(ConfigFile.c_str()), FcTrue) ||
          !FcConfigBuildFonts(Config)) {
        FcConfigDestroy(Config);
        Config = nullptr;
        ConfigFile.clear();
      }
    }
    if (!Config) Config = FcInitLoadConfigAndFonts();
  }

  ~TImpl() {
    Glyphs.clear();
    for (auto& [key, face] : Faces) {
      hb_font_destroy(face->Hb);
      FT_Done_Face(face->Face);
      if (face->Charset) FcCharSetDestroy(face->Charset);
    }
    Faces.clear();
    if (Config) FcConfigDestroy(Config);
    FT_Done_FreeType(Library);
  }

  TFace* LoadFace(FcPattern* font) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return nullptr;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    auto key = std::make_pair(std::string(reinterpret_cast<char*>(file)), index);
    if (auto it = Faces.find(key); it != Faces.end()) return it->second.get();
    auto face = std::make_unique<TFace>();
    if (FT_New_Face(Library, key.first.c_str(), index, &face->Face)) return nullptr;
    if (!FT_IS_SCALABLE(face->Face)) {
      FT_Done_Face(face->Face);
      return nullptr;
    }
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch)
      face->Family = reinterpret_cast<char*>(family);
    FcPatternGetInteger(font, FC_WEIGHT, 0, &face->Weight);
    FcPatternGetInteger(font, FC_SLANT, 0, &face->Slant);
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch) face->Charset = FcCharSetCopy(charset);
    const FT_Face f = face->Face;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
      face->Ascent = os2->usWinAscent;
      face->Descent = os2->usWinDescent;
      face->AveWidth = os2->xAvgCharWidth;
      face->StrikeOut = os2->yStrikeoutPosition;
    } else {
      face->Ascent = f->ascender;
      face->Descent = -f->descender;
    }
    if (face->AveWidth <= 0) face->AveWidth = f->units_per_EM / 2;
    if (face->StrikeOut <= 0) face->StrikeOut = f->units_per_EM / 4;
    face->Hb = hb_ft_font_create_referenced(f);
    hb_ft_font_set_load_flags(face->Hb, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT);
    TFace* result = face.get();
    Faces.emplace(key, std::move(face));
    return result;
  }

  const std::vector<TFace*>& Chain(const TFontSpec& fontSpec) {
    std::string name = fontSpec.Name.empty() ? "sans-serif" : fontSpec.Name;
    auto key = std::make_tuple(Lower(name), fontSpec.Bold, fontSpec.Italic);
    if (auto it = Chains.find(key); it != Chains.end()) return it->second;
    std::vector<TFace*> chain;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, fontSpec.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, fontSpec.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcFontSet* set = FcFontSort(Config, pattern, FcTrue, nullptr, &result);
    if (set) {
      for (int i = 0; i < set->nfont && chain.size() < 8; ++i) {
        FcPattern* font = FcFontRenderPrepare(Config, pattern, set->fonts[i]);
        if (!font) continue;
        TFace* face = LoadFace(font);
        FcPatternDestroy(font);
        if (face && std::find(chain.begin(), chain.end(), face) == chain.end()) chain.push_back(face);
      }
      FcFontSetDestroy(set);
    }
    FcPatternDestroy(pattern);
    if (chain.empty()) throw EFontError("No font is installed for \"" + name + "\"");
    return Chains.emplace(key, std::move(chain)).first->second;
  }

  // The em size in 26.6 pixels for the platform's height value.
  static FT_F26Dot6 EmSize(const TFace& primary, int height) {
    if (height < 0) return static_cast<FT_F26Dot6>(-height) * 64;
    if (height == 0) return 13 * 64;
    double cell = primary.Ascent + primary.Descent;
    return std::max<FT_F26Dot6>(64, std::lround(height * 64.0 * primary.Face->units_per_EM / cell));
  }

  static void UseSize(TFace& face, FT_F26Dot6 size) {
    if (face.CurrentSize == size) return;
    FT_Set_Char_Size(face.Face, 0, size, 72, 72);
    hb_ft_font_changed(face.Hb);
    face.CurrentSize = size;
  }

  static bool SynthBold(const TFace& face, const TFontSpec& fontSpec) { return fontSpec.Bold && face.Weight < FC_WEIGHT_DEMIBOLD; }
  static bool SynthItalic(const TFace& face, const TFontSpec& fontSpec) { return fontSpec.Italic && face.Slant == FC_SLANT_ROMAN; }
  static FT_Pos BoldStrength(FT_F26Dot6 size) { return std::max<FT_Pos>(32, size / 24); }

  const TGlyphImage* Glyph(TFace& face, FT_F26Dot6 size, unsigned glyph, bool bold, bool italic) {
    TGlyphKey key{&face, size, glyph, bold, italic};
    if (auto it = Glyphs.find(key); it != Glyphs.end()) return it->second.get();
    auto image = std::make_unique<TGlyphImage>();
    UseSize(face, size);
    FT_GlyphSlot slot = face.Face->glyph;
    if (!FT_Load_Glyph(face.Face, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) &&
        slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (italic) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
        FT_Outline_Transform(&slot->outline, &shear);
      }
      if (bold) FT_Outline_Embolden(&slot->outline, BoldStrength(size));
      if (!FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) && slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const FT_Bitmap& bm = slot->bitmap;
        image->Width = static_cast<int>(bm.width);
        image->Height = static_cast<int>(bm.rows);
        image->Pitch = image->Width;
        image->Left = slot->bitmap_left;
        image->Top = slot->bitmap_top;
        image->Coverage.resize(static_cast<std::size_t>(image->Width) * image->Height);
        for (int row = 0; row < image->Height; ++row) {
          const unsigned char* src = bm.pitch >= 0 ? bm.buffer + row * bm.pitch
                                                   : bm.buffer + (image->Height - 1 - row) * -bm.pitch;
          std::copy(src, src + image->Width, image->Coverage.begin() + static_cast<std::ptrdiff_t>(row) * image->Pitch);
        }
      }
    }
    return Glyphs.emplace(key, std::move(image)).first->second.get();
  }

  // Index into the chain of the face that draws c: the first face holding it,
  // the primary face when none does.
  static std::size_t FaceFor(const std::vector<TFace*>& chain, char32_t c) {
    for (std::size_t i = 0; i < chain.size(); ++i)
      if (chain[i]->Has(c)) return i;
    return 0;
  }

  TShapedText Shape(const TFontSpec& fontSpec, std::string_view text, bool withImages) {
    TShapedText shaped;
    const auto& chain = Chain(fontSpec);
    const FT_F26Dot6 size = EmSize(*chain.front(), fontSpec.Height);
    std::vector<TCodepoint> cps = DecodeUtf8(text);
    hb_buffer_t* buffer = hb_buffer_create();
    FT_Pos pen = 0;
    std::size_t i = 0;
    while (i < cps.size()) {
      // A run of characters drawn by one face; blanks and marks stay with the run they are in.
      std::size_t faceIndex = FaceFor(chain, cps[i].Value);
      std::size_t j = i + 1;
      while (j < cps.size()) {
        char32_t c = cps[j].Value;
        bool neutral = c == ' ' || (c >= 0x300 && c < 0x370) || c == 0x200D;
        if (!(neutral && chain[faceIndex]->Has(c)) && FaceFor(chain, c) != faceIndex) break;
        ++j;
      }
      TFace& face = *chain[faceIndex];
      UseSize(face, size);
      const bool bold = SynthBold(face, fontSpec), italic = SynthItalic(face, fontSpec);
      hb_buffer_clear_contents(buffer);
      hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), cps[i].Offset,
                         static_cast<int>(cps[j - 1].Offset + cps[j - 1].Length - cps[i].Offset));
      hb_buffer_guess_segment_properties(buffer);
      hb_shape(face.Hb, buffer, nullptr, 0);
      unsigned count = 0;
      hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
      hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
      for (unsigned g = 0; g < count; ++g) {
        if (withImages) {
          TPlacedGlyph placed;
          placed.Image = Glyph(face, size, infos[g].codepoint, bold, italic);
          UseSize(face, size);
          placed.X = static_cast<int>((pen + positions[g].x_offset + 32) >> 6);
          placed.Y = -static_cast<int>((positions[g].y_offset + 32) >> 6);
          shaped.Glyphs.push_back(placed);
        }
        pen += positions[g].x_advance + (bold ? BoldStrength(size) : 0);
      }
      i = j;
    }
    hb_buffer_destroy(buffer);
    shaped.Width = static_cast<int>((pen + 32) >> 6);
    return shaped;
  }
};

TFontEngine& TFontEngine::Instance() {
  static TFontEngine engine;
  return engine;
}

TFontEngine::TFontEngine() : FImpl(std::make_unique<TImpl>()) {}
TFontEngine::~TFontEngine() = default;

const std::string& TFontEngine::ConfigFile() const { return FImpl->ConfigFile; }

TFontMetricsInfo TFontEngine::Metrics(const TFontSpec& font) {
  const TFace& face = *FImpl->Chain(font).front();
  const double em = TImpl::EmSize(face, font.Height) / 64.0;
  const double scale = em / face.Face->units_per_EM;
  TFontMetricsInfo m;
  m.Ascent = Round(face.Ascent * scale);
  m.Descent = Round(face.Descent * scale);
  m.Height = m.Ascent + m.Descent;
  m.InternalLeading = std::max(0, m.Height - Round(em));
  m.AveCharWidth = std::max(1, Round(face.AveWidth * scale));
  m.UnderlinePosition = std::max(1, Round(-face.Face->underline_position * scale));
  m.LineThickness = std::max(1, Round(face.Face->underline_thickness * scale));
  m.StrikeOutPosition = std::max(1, Round(face.StrikeOut * scale));
  return m;
}

int TFontEngine::TextWidth(const TFontSpec& font, std::string_view utf8) {
  return FImpl->Shape(font, utf8, false).Width;
}

TShapedText TFontEngine::Shape(const TFontSpec& font, std::string_view utf8) { return FImpl->Shape(font, utf8, true); }

std::string TFontEngine::FamilyFor(const TFontSpec& font, char32_t character) {
  const auto& chain = FImpl->Chain(font);
  return chain[TImpl::FaceFor(chain, character)]->Family;
}

TFontSpec FontSpecOf(const TFont& font, int pixelsPerInch) {
  TFontSpec fontSpec;
  fontSpec.Name = font.Name();
  const int height = font.Height();
  const int fontPpi = font.PixelsPerInch();
  fontSpec.Height = pixelsPerInch == fontPpi
                    ? height
                    : static_cast<int>(std::lround(static_cast<double>(height) * pixelsPerInch / fontPpi));
  if (fontSpec.Height == 0 && height != 0) fontSpec.Height = height < 0 ? -1 : 1;
  const TFontStyles style = font.Style();
  fontSpec.Bold = style.Contains(fsBold);
  fontSpec.Italic = style.Contains(fsItalic);
  fontSpec.Underline = style.Contains(fsUnderline);
  fontSpec.StrikeOut = style.Contains(fsStrikeOut);
  return fontSpec;
}

namespace {
class TFontEngineMetrics : public IFontMetrics {
public:
  int TextWidth(const TFont& font, std::string_view text) const override {
    return TFontEngine::Instance().TextWidth(FontSpecOf(font, font.PixelsPerInch()), text);
  }
  int TextHeight(const TFont& font, std::string_view) const override {
    return TFontEngine::Instance().Metrics(FontSpecOf(font, font.PixelsPerInch())).Height;
  }
};
}  // namespace

void UseFontEngineMetrics() {
  static const TFontEngineMetrics metrics;
  SetFontMetrics(&metrics);
}
