.pragma library

// Scrolls the list an item sits in just far enough to show the item whole:
// a control reached with Tab inside a scrolled list is brought into view.
function revealInFlickable(item) {
    for (let p = item.parent; p; p = p.parent) {
        if (p.contentY !== undefined && p.contentItem !== undefined && p.flickableDirection !== undefined) {
            const top = item.mapToItem(p.contentItem, 0, 0).y
            const bottom = top + item.height
            if (top < p.contentY)
                p.contentY = top
            else if (bottom > p.contentY + p.height)
                p.contentY = Math.min(bottom - p.height, p.contentHeight - p.height)
            return
        }
    }
}
