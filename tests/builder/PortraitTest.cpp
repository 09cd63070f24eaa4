#include "builder/FilelistToTimeline.h"
#include "styles/StyleFile.h"
#include "support/VoiceFolder.h"
#include "timeline/WritingOrder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

using namespace brisomel;
using namespace brisomel::testsupport;
using namespace Qt::StringLiterals;

namespace {

void writeImage(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    ASSERT_TRUE(image.save(path)) << path.toStdString();
}

// Lines of Hanako (1 s with labels; 0.7 s without, a tone on its frames 5-9 and 15) around one
// of Taro (0.5 s), and a portrait folder holding Hanako's two images.
struct PortraitScene {
    VoiceFolder voices;
    QTemporaryDir portraits;

    PortraitScene() {
        voices.addLine(u"001_Hanako（n）_a"_s, 1.0, u"あ"_s);
        voices.addLine(u"002_Taro（n）_b"_s, 0.5, u"い"_s);
        voices.addLine(u"003_Hanako（n）_c"_s, 0.7, u"う"_s);
        std::vector<double> samples(33600, 0.0); // 1,600 a frame at 30 fps
        for (std::size_t s = 0; s < samples.size(); ++s) {
            const std::size_t frame = s / 1600;
            if ((frame >= 5 && frame < 10) || frame == 15) {
                samples[s] = 0.5 * std::sin(double(s) * 0.0576);
            }
        }
        writeBytes(voices.filePath(u"003_Hanako（n）_c.wav"_s), wavBytes(48000, 1, samples));
        // Open on frames 3-5 and 7-8 at 30 fps (frame middles at 1/60 s + i/30 s).
        writeBytes(voices.filePath(u"001_Hanako（n）_a.lab"_s),
                   "0 700000 pau\n700000 1000000 k\n1000000 2000000 a\n"
                   "2000000 2200000 zz\n2200000 3000000 N\n3000000 10000000 sil\n");
        writeImage(portrait(u"Hanako.png"_s), 300, 600);
        writeImage(portrait(u"Hanako_口開.png"_s), 300, 600);
    }
    QString portrait(const QString& name) const { return portraits.filePath(name); }

    Result<BuiltTimeline> build(const ConversionOptions& options) const {
        return buildTimeline(voices.load(), options);
    }
};

ConversionOptions withFolder(const QString& folder) {
    ConversionOptions options;
    options.fpsType = FpsType::fps30;
    options.portraitFolder = folder;
    return options;
}

std::vector<const StillClip*> stillsOf(const BuiltTimeline& built, const QString& speaker) {
    std::vector<const StillClip*> stills;
    for (const auto& track : built.tracks) {
        if (track->title == speaker + kPortraitTrackSuffix) {
            for (const auto& clip : clipWalk(*track)) {
                stills.push_back(clipAs<StillClip>(*clip));
            }
        }
    }
    return stills;
}

// Each still as "first frame+frames:image file name" at 30 fps.
QStringList sketch(const std::vector<const StillClip*>& stills) {
    QStringList parts;
    for (const StillClip* still : stills) {
        parts << u"%1+%2:%3"_s.arg(still->start.value * 30 / still->start.timescale)
                     .arg(still->duration.value * 30 / still->duration.timescale)
                     .arg(QFileInfo(still->path).fileName());
    }
    return parts;
}

} // namespace

// Hanako's lane follows the labels over her first line and the level over her second, the
// one-frame tone held open for two; each line is covered exactly, in whole frames; Taro,
// without an image, gets no lane.
TEST(Portraits, TheFolderGivesMouthClipsThatCoverEachLineExactly) {
    const PortraitScene scene;
    const Result<BuiltTimeline> built = scene.build(withFolder(scene.portraits.path()));
    ASSERT_TRUE(built) << built.failure().message().toStdString();
    EXPECT_EQ(sketch(stillsOf(*built, u"Hanako"_s)),
              (QStringList{u"0+3:Hanako.png"_s, u"3+3:Hanako_口開.png"_s, u"6+1:Hanako.png"_s,
                           u"7+2:Hanako_口開.png"_s, u"9+21:Hanako.png"_s, u"45+5:Hanako.png"_s,
                           u"50+5:Hanako_口開.png"_s, u"55+5:Hanako.png"_s,
                           u"60+2:Hanako_口開.png"_s, u"62+4:Hanako.png"_s}));
    EXPECT_TRUE(stillsOf(*built, u"Taro"_s).empty());
    const StillClip& first = *stillsOf(*built, u"Hanako"_s).front();
    EXPECT_EQ(first.title, u"001_Hanako（n）_a"_s);
    EXPECT_EQ(std::pair(first.pixelWidth, first.pixelHeight), std::pair(300, 600));

    // Without portraits the timeline has no still track at all.
    const Result<BuiltTimeline> plain = scene.build(withFolder({}));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->tracks.size(), built->tracks.size() - 1);
}

// A style's own image wins over the folder's; shown always, the closed image fills the gaps
// from the first line to the end, and the placement travels with every clip.
TEST(Portraits, AStylesOwnKeysWinAndAlwaysFillsTheGapsToTheEnd) {
    const PortraitScene scene;
    writeImage(scene.portrait(u"own.png"_s), 100, 80);
    QFile file(scene.portrait(u"styles.json"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"Hanako": {"portrait": "own.png", "portraitShown": "always",
                    "portraitPosition": [-500, -200], "portraitScale": 50}})");
    file.close();
    ConversionOptions options = withFolder(scene.portraits.path());
    const Result<SpeakerStyles> styles = readStyleFile(file.fileName());
    ASSERT_TRUE(styles) << styles.failure().message().toStdString();
    options.captionStyles = *styles;

    const Result<BuiltTimeline> built = scene.build(options);
    ASSERT_TRUE(built) << built.failure().message().toStdString();
    const auto stills = stillsOf(*built, u"Hanako"_s);
    // No open image of its own: closed throughout, the labels unused.
    EXPECT_EQ(sketch(stills),
              (QStringList{u"0+30:own.png"_s, u"30+15:own.png"_s, u"45+21:own.png"_s}));
    for (const StillClip* still : stills) {
        EXPECT_EQ(std::tuple(still->x, still->y, still->scale), std::tuple(-500.0, -200.0, 50.0));
    }
}

// A missing or unreadable image stops the build, naming the file and the speaker.
TEST(Portraits, AMissingOrUnreadableImageNamesTheFileAndTheSpeaker) {
    const PortraitScene scene;
    writeBytes(scene.portrait(u"Taro.png"_s), "not an image");
    const Result<BuiltTimeline> unreadable = scene.build(withFolder(scene.portraits.path()));
    ASSERT_FALSE(unreadable);
    EXPECT_EQ(unreadable.failure().file, scene.portrait(u"Taro.png"_s));
    EXPECT_TRUE(unreadable.failure().message().contains(u"「Taro」"_s));

    ConversionOptions options = withFolder({});
    CaptionStyle style;
    style.portrait = PortraitStyle{};
    style.portrait->image = scene.portrait(u"none.png"_s);
    options.captionStyles.set(u"Hanako"_s, style);
    const Result<BuiltTimeline> missing = scene.build(options);
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.failure().message().contains(scene.portrait(u"none.png"_s)));
    EXPECT_TRUE(missing.failure().message().contains(u"「Hanako」"_s));
}
