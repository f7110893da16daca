#pragma once

#include <QString>
#include <functional>

struct SlideshowState;

// Fills ImageList with the sorted picture names of a folder and sets ImageCount.
class ImageListBuilder {
public:
    // Lets pending events run (repaints, input that may end the show); false
    // when the show has been ended meanwhile and the work should stop.
    using LetEventsThrough = std::function<bool()>;

    // Directory entries examined between two calls of LetEventsThrough, so that
    // a slow folder (a network share, a huge directory) cannot hold up input.
    static constexpr int kEntriesPerChunk = 256;

    struct Result {
        bool finished = true;      // false: stopped because the show was ended
        bool folderListed = true;  // false: the folder is missing or cannot be read
        int matching = 0;          // picture names found, before the list's cap
    };

    // Lists the regular, non-hidden files of the picture folder (see PicturePath;
    // links to regular files count) whose names end in .jpg, .jpeg, .gif or .bmp
    // in any case, sorted by ComesBefore. Beyond the list's capacity the names
    // that sort first are kept. Entries 1 to ImageCount are written and the slot
    // after them emptied; later slots keep what they held. A search that fails
    // gives an empty list. When LetEventsThrough asks to stop, ImageCount is 0.
    static Result BuildImageList(const QString &pictureFolder, SlideshowState &state,
                                 const LetEventsThrough &letEventsThrough);

    // Whether a file name matches one of the picture patterns: "*.jpg", "*.jpeg",
    // "*.gif", "*.bmp", without regard to case (ASCII letters only), not hidden.
    static bool IsPictureName(const QString &name);

    // Text order of the list: UTF-16 code units compared one after the other,
    // case-sensitive ("B.jpg" < "a.jpg"), a name that begins another first.
    static bool ComesBefore(const QString &a, const QString &b);
};
