#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Bitmap.h"
#include "FormTextReader.h"
#include "Forms.h"
#include "Image.h"
#include "Picture.h"
#include "TypInfo.h"

namespace {

const std::string Pictures = std::string(KESR_TEST_DATA_DIR) + "/pictures/";

TEST(ImageTest, LoadsAPictureAndPlacesIt) {
  TForm* form = CreateForm<TForm>(nullptr);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(0, 0, 13, 12);
  image->Picture()->LoadFromFile(Pictures + "rgba-3x2.png");
  ASSERT_EQ(image->Picture()->Width(), 3);
  struct TCase {
    bool Stretch, Center;
    TRect Want;
  };
  for (const TCase& c : {TCase{false, false, Rect(0, 0, 3, 2)}, TCase{false, true, Rect(5, 5, 8, 7)},
                         TCase{true, true, Rect(0, 0, 13, 12)}}) {
    image->SetStretch(c.Stretch);
    image->SetCenter(c.Center);
    TRect r = image->DestRect();
    EXPECT_EQ((std::array{r.Left, r.Top, r.Right, r.Bottom}),
              (std::array{c.Want.Left, c.Want.Top, c.Want.Right, c.Want.Bottom}));
  }
  TPicture other;
  other.Bitmap()->SetSize(4, 4);
  image->SetPicture(&other);  // a copy: the image keeps its own picture
  other.Clear();
  EXPECT_EQ(image->Picture()->Width(), 4);
  image->SetPicture(nullptr);
  EXPECT_TRUE(image->Picture()->Empty());
  form->Free();
}

TEST(ImageTest, ReadFromFormText) {
  TForm* form = CreateForm<TForm>(nullptr);
  ReadFormText(form, R"(object Form: TForm
  object img: TImage
    Stretch = True
    Transparent = True
  end
end)");
  auto* image = form->FindComponent<TImage>("img");
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->Stretch());
  EXPECT_TRUE(image->Transparent());
  EXPECT_FALSE(image->Center());
  EXPECT_TRUE(image->Picture()->Empty());
  form->Free();
}

}  // namespace
