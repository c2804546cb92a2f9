# Pictures of TavomcPresenterScenarioMain: the home page (see CATALOGUE.md).
# Included by the library's CMakeLists once its target exists.
nx_target_artwork(TavomcPresenterScenarioMain /images
    ID_BACKGROUND.jpg
    ID_TAVO_CHANNEL.png
    ID_CHANNEL_TV_DEFAULT.png
    ID_LIVE_CODE_BACKGROUND.png
    ID_TV.png
    ID_MY_RESOURCE.png
    ID_LIVE.png
    ID_LOCAL_RESOURCE.png)
