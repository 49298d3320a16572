.pragma library

// Scrolls `scroller` (a Flickable whose content is `content`) just enough to
// show `item` whole, when `item` lies inside `content`.
function into(scroller, content, item) {
    var i = item;
    while (i && i !== content)
        i = i.parent;
    if (!i)
        return;
    var top = item.mapToItem(content, 0, 0).y;
    if (top < scroller.contentY)
        scroller.contentY = Math.max(0, top - 5);
    else if (top + item.height > scroller.contentY + scroller.height)
        scroller.contentY = Math.min(scroller.contentHeight - scroller.height,
                                     top + item.height - scroller.height + 5);
}
