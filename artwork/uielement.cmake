# Pictures of TavoUIElement: widgets, dialogs and the file dialog (see CATALOGUE.md).
# Included by the library's CMakeLists once its target exists.

# Each cover of a channel of one's own comes as a button picture (plain and
# chosen) and as three tile pictures, all from one drawing.
set(nx_cover_pictures "")
foreach(n RANGE 1 5)
    set(art "customcover/cover_${n}.svg")
    set(button "customcover/cover_button.svg")
    list(APPEND nx_cover_pictures
        "customcover/ID_DEFAULT_BACKGROUND_${n}.png=${art}+${button}@128x128"
        "customcover/ID_DEFAULT_BACKGROUND_${n}_SELECTED.png=${art}+${button}+customcover/cover_selected.svg@128x128"
        "customcover/ID_DEFAULT_BACKGROUND_${n}_SMALL.png=${art}@388x388"
        "customcover/ID_DEFAULT_BACKGROUND_${n}_MIDDLE.png=${art}@580x580"
        "customcover/ID_DEFAULT_BACKGROUND_${n}_LARGE.png=${art}@824x824")
endforeach()

nx_target_artwork(TavoUIElement /images
    ID_ADDED.png
    ID_LOGIN_PIC.png
    ID_NOT_LOGIN_PIC.png
    ID_TEXT_BACKGROUND_SMALL_PIC.png
    ID_TEXT_BACKGROUND_LARGE_PIC.png
    ID_DEL_CHANNEL.png
    ID_ADD_CHANNEL.png
    ID_BACKGROUND_PIC.png
    ID_BACK.png
    ID_CUSTOMDIALOG_PIC.png
    ID_LIVE_CLOSE.png
    ID_LOAD_FAILED_PIC.png
    ID_LOGIN.png
    ID_EXIT.png
    ID_MSG_DIALOG.png
    ID_LOADING.gif
    ID_LIVE_CODE_BACKGROUND.png
    ID_BROWSER_ROLLBACK.png
    ${nx_cover_pictures})

nx_target_artwork(TavoUIElement /rc/icon
    ID_WAITING.gif
    ID_SHORTCUT.png
    ID_SHORTCUT_NOR.png
    ID_PIC.png
    ID_PIC_NOR.png
    ID_DISK.png
    ID_DISK_NOR.png
    ID_DISK_U.png
    ID_DISK_U_NOR.png
    ID_NET_Disable.png
    ID_RECENT.png
    ID_RECENT_NOR.png
    ID_DOC.png
    ID_DOC_NOR.png
    ID_CLOUD.png
    ID_CLOUD_NOR.png
    ID_FD_BACK.png
    ID_FD_BACK_DISABLED.png
    ID_FD_LIST.png
    ID_FD_LIST_ON.png
    ID_FD_THUMB.png
    ID_FD_THUMB_ON.png
    ID_OFFLINE.png
    ID_DOWN_ARROW.png
    image_folder.png
    image_word.png
    image_ppt.png
    image_pdf.png
    image_txt.png
    image_excel.png
    image_image.png
    image_audio.png
    image_video.png
    image_nxtx.png
    image_kl.png
    image_unknow.png
    selected.png
    unselect.png
    pop_top_close
    pop_top_close_hover
    pop_top_close_pressed
    pop_top_close_disabled)

nx_target_artwork(TavoUIElement /icon
    arrow.png
    arrow_hover.png)
