#include "tags/TagConversion.h"

#include "tags/GenreTable.h"

namespace sorabell::tags {

TID3Tag RMPToID3(const TRMPInfo& info) {
    TID3Tag tag;
    SetField(tag.Title, info.Title);
    SetField(tag.Artist, info.Artist);
    SetField(tag.Album, info.Album);
    SetField(tag.Comment, info.Comment);
    SetField(tag.Year, info.Release);
    tag.Genre = GenreIndex(info.Genre).value_or(0);
    return tag;
}

void ID3ToRMP(const TID3Tag& tag, TRMPInfo& info) {
    info.Artist = FieldText(tag.Artist);
    info.Title = FieldText(tag.Title);
    info.Album = FieldText(tag.Album);
    info.Comment = FieldText(tag.Comment);
    info.Release = FieldText(tag.Year);
    info.Genre = GenreName(tag.Genre);
}

}  // namespace sorabell::tags
