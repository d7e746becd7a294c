import QtQuick
import QtQuick.Controls
import Zelk

// Draws a NavigationController: its bar and a StackView kept in step with its stack.
Item {
    id: view
    required property var controller

    NavigationBar {
        id: navBar
        objectName: "navigationBar"
        navigation: view.controller
        visible: !view.controller.navigationBarHidden
        anchors { left: parent.left; right: parent.right; top: parent.top }
    }

    Component {
        id: pageComponent
        ScreenHost {}
    }

    StackView {
        id: stack
        objectName: "navigationStack"
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; top: navBar.visible ? navBar.bottom : parent.top }
        clip: true
        // Slightly shorter than the controller's transition, so a popped view is gone before its
        // controller is deleted.
        readonly property int duration: Math.max(0, view.controller.transitionDuration - 30)
        pushEnter: Transition { XAnimator { from: stack.width; to: 0; duration: stack.duration; easing.type: Easing.OutCubic } }
        pushExit: Transition { XAnimator { from: 0; to: -stack.width / 3; duration: stack.duration; easing.type: Easing.OutCubic } }
        popEnter: Transition { XAnimator { from: -stack.width / 3; to: 0; duration: stack.duration; easing.type: Easing.OutCubic } }
        popExit: Transition { XAnimator { from: 0; to: stack.width; duration: stack.duration; easing.type: Easing.OutCubic } }
        replaceEnter: Transition { XAnimator { from: stack.width; to: 0; duration: stack.duration; easing.type: Easing.OutCubic } }
        replaceExit: Transition { XAnimator { from: 0; to: -stack.width / 3; duration: stack.duration; easing.type: Easing.OutCubic } }
    }

    function sync(animated) {
        const list = view.controller.viewControllers
        let common = 0
        while (common < stack.depth && common < list.length && stack.get(common, StackView.ForceLoad).controller === list[common])
            ++common
        if (common === stack.depth && common === list.length)
            return
        if (common === stack.depth && list.length === common + 1) {
            stack.push(pageComponent, { controller: list[common] }, animated ? StackView.PushTransition : StackView.Immediate)
        } else if (common === list.length && common > 0) {
            stack.pop(stack.get(common - 1), animated ? StackView.PopTransition : StackView.Immediate)
        } else {
            const items = []
            for (let i = 0; i < list.length; ++i)
                items.push(pageComponent, { controller: list[i] })
            if (common > 0) {
                stack.pop(stack.get(common - 1), StackView.Immediate)
                stack.push(items.slice(common * 2), animated ? StackView.PushTransition : StackView.Immediate)
            } else {
                stack.clear(StackView.Immediate)
                if (items.length > 0)
                    stack.push(items, animated ? StackView.ReplaceTransition : StackView.Immediate)
            }
        }
    }

    Connections {
        target: view.controller
        function onStackChanged(animated) { view.sync(animated) }
    }
    Component.onCompleted: sync(false)
}
