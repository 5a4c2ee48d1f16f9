#include "imaging/SaveNaming.h"

#include "framework/Error.h"
#include "imaging/EditPicture.h"

#include <algorithm>
#include <climits>
#include <array>

namespace pelorine {
namespace {

constexpr int kMaxSerial = 9999;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring WithoutTrailingSeparator(std::wstring path) {
    if (!path.empty() && IsSeparator(path.back())) path.pop_back();
    return path;
}

// The folder part: everything up to the last separator or drive colon, without a trailing
// separator.
std::wstring ParentOf(const std::wstring& path) {
    const auto cut = path.find_last_of(L"\\/:");
    return cut == std::wstring::npos ? std::wstring() : WithoutTrailingSeparator(path.substr(0, cut + 1));
}

// Walks up from the folder while the folders do not exist; a loop, as a pasted path may have
// thousands of parts.
std::vector<std::wstring> CollectMissing(const std::wstring& folder,
                                         const std::function<bool(const std::wstring&)>& exists) {
    std::vector<std::wstring> missing;
    for (std::wstring path = WithoutTrailingSeparator(folder); path.size() >= 3 && !exists(path);) {
        std::wstring parent = ParentOf(path);
        const bool shorter = parent.size() < path.size();
        missing.push_back(std::move(path));
        if (!shorter) break;
        path = WithoutTrailingSeparator(std::move(parent));
    }
    std::reverse(missing.begin(), missing.end()); // parents first
    return missing;
}

// The entry of an option list's item; nullopt for no selection or an unknown item.
template <class T, std::size_t N> std::optional<T> ItemOf(const std::array<T, N>& items, int item) {
    if (item < 0 || item >= int(N)) return std::nullopt;
    return items[std::size_t(item)];
}

} // namespace

std::optional<SaveFormat> SaveFormatForItem(int item) { return ItemOf(kSaveFormatItems, item); }

int SaveQualityForItem(int item) { return item >= 0 && item <= 9 ? item + 1 : 0; }

std::optional<DepthCode> ColorDepthForItem(int item) { return ItemOf(kColorDepthItems, item); }

std::optional<Turn> RotationForItem(int item) {
    const std::optional<Turn> turn = ItemOf(kRotationItems, item);
    return turn == kTurnNone ? std::nullopt : turn;
}

std::optional<ResizeMode> ResizeModeForItem(int item) {
    if (item < 0 || item >= kResizeModeItems) return std::nullopt;
    return ResizeMode(item);
}

// In integers: percent × 0.01 in floating point is not exact, and 29 % of 100 came out as 28.
int ScaledSize(int percent, int size) {
    const long long scaled = (long long)percent * size / 100;
    return int(std::clamp<long long>(scaled, INT_MIN, INT_MAX));
}

void CheckResizeSize(int width, int height) {
    if (!EditPicture::ExceedsPixelLimit(width, height)) return;
    throw Error(FormatMessageText(L"画像を %s ピクセルに変更できません (大きすぎます)",
                                  std::to_wstring(width) + L"×" + std::to_wstring(height)));
}

std::wstring SaveFileName(const std::wstring& prefix, int serial, const std::wstring& saveExt) {
    std::wstring name = prefix + std::to_wstring(serial);
    const auto mark = name.find_last_of(L".\\:/");
    if (mark != std::wstring::npos && name[mark] == L'.') name.erase(mark);
    name += saveExt;
    const auto folderEnd = name.find_last_of(L"\\:/");
    return folderEnd == std::wstring::npos ? name : name.substr(folderEnd + 1);
}

std::wstring SaveOutputPath(const std::wstring& folder, const std::wstring& fileName) {
    return folder + L"/" + fileName;
}

std::vector<std::wstring> FoldersToCreate(const std::wstring& folder,
                                          const std::function<bool(const std::wstring&)>& exists) {
    if (folder.empty()) throw Error(L"ディレクトリを作成することができません");
    return CollectMissing(folder, exists);
}

int NextSerialNumber(int serial) { return std::clamp(serial + 1, 0, kMaxSerial); }

void CheckSerialNumberFree(int serial, const std::function<bool()>& outputExists) {
    if (serial >= kMaxSerial && outputExists())
        throw Error(L"連番が上限 (9999) に達しました。連番を変更してください");
}

} // namespace pelorine
