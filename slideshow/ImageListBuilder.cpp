#include "slideshow/ImageListBuilder.h"

#include "core/PicturePath.h"
#include "core/SlideshowState.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>
#include <string_view>
#include <vector>

namespace {
// A name can end in only one of these, so one pass over the folder finds the
// same names as one search per pattern; the list is sorted as a whole anyway.
constexpr std::u16string_view kExtensions[] = {u".jpg", u".jpeg", u".gif", u".bmp"};

std::u16string_view units(const QString &s)
{
    return {reinterpret_cast<const char16_t *>(s.utf16()), static_cast<std::size_t>(s.size())};
}

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool endsWithIgnoringAsciiCase(std::u16string_view name, std::u16string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    const std::u16string_view tail = name.substr(name.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(),
                      [](char16_t a, char16_t b) { return asciiLower(a) == b; });
}

// Keeps the first `keep` names in sort order once the collection has grown to
// twice that, so a folder of any size needs only bounded memory.
void trimToFirst(std::vector<QString> &names, std::size_t keep)
{
    if (names.size() <= keep)
        return;
    std::nth_element(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(keep), names.end(),
                     &ImageListBuilder::ComesBefore);
    names.resize(keep);
}
}

bool ImageListBuilder::IsPictureName(const QString &name)
{
    if (name.startsWith(QLatin1Char('.')))
        return false;
    const std::u16string_view n = units(name);
    return std::any_of(std::begin(kExtensions), std::end(kExtensions),
                       [n](std::u16string_view ext) { return endsWithIgnoringAsciiCase(n, ext); });
}

bool ImageListBuilder::ComesBefore(const QString &a, const QString &b)
{
    // char16_t is unsigned, so this is the order of the code units themselves
    // (a surrogate pair sorts by its high surrogate, before U+E000 to U+FFFF).
    return units(a) < units(b);
}

ImageListBuilder::Result ImageListBuilder::BuildImageList(const QString &pictureFolder,
                                                          SlideshowState &state,
                                                          const LetEventsThrough &letEventsThrough)
{
    Result result;
    constexpr std::size_t kCap = SlideshowState::kMaxPictures;
    const auto stop = [&state, &result] {
        state.ImageCount = 0;
        result.finished = false;
        return result;
    };

    const QString searchFolder = PicturePath::SearchFolder(pictureFolder);
    const QFileInfo folder(searchFolder);
    result.folderListed = folder.isDir() && folder.isReadable();

    std::vector<QString> names;
    if (result.folderListed) {
        // Without QDir::Hidden and QDir::System: no dot files, no dangling links,
        // no devices, pipes or sockets. Links to regular files are followed.
        QDirIterator it(searchFolder, QDir::Files | QDir::NoDotAndDotDot);
        int sinceEvents = 0;
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            if (IsPictureName(name)) {
                ++result.matching;
                names.push_back(name);
                if (names.size() >= 2 * kCap)
                    trimToFirst(names, kCap);
            }
            if (++sinceEvents == kEntriesPerChunk) {
                sinceEvents = 0;
                if (letEventsThrough && !letEventsThrough())
                    return stop();
            }
        }
    }

    trimToFirst(names, kCap);
    std::sort(names.begin(), names.end(), &ImageListBuilder::ComesBefore);
    if (letEventsThrough && !letEventsThrough())
        return stop();

    const int count = static_cast<int>(names.size());
    for (int i = 0; i < count; ++i)
        state.ImageList[static_cast<std::size_t>(i + 1)] = std::move(names[static_cast<std::size_t>(i)]);
    state.ImageList[static_cast<std::size_t>(count + 1)] = QString();
    state.ImageCount = static_cast<std::int16_t>(count);
    return result;
}
